// Path helper: existence of a path, and the directory and file-name parts of
// a path, for paths from the command line and from file dialogs alike.
#pragma once

#include <string>

class KvFileInfo {
public:
    explicit KvFileInfo(const std::string& path);
    void setFile(const std::string& path);
    bool exists() const;

    // "/a/b/c.icc" -> "/a/b"; "/c.icc" -> "/"; "c.icc" -> "" (no directory part).
    static std::string dirnameFromPath(const std::string& path);
    // "/a/b/c.icc" -> "c.icc"; "/a/b/" -> "".
    static std::string filenameFromPath(const std::string& path);

private:
    std::string path;
};
