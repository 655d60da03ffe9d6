#include "ChartExport.h"

#include "PdfChart.h"
#include "PostScriptChart.h"
#include "PostScriptPages.h"
#include "WholeFile.h"

ChartExport::Format ChartExport::formatFor(const std::string& path) {
    if (path.size() < 4)
        return PostScript;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".pdf" ? Pdf : PostScript;
}

Status ChartExport::write(const CHARTPATCH* patches, const std::string& path, Format format,
                          const PageLayout& layout, const ChartHeading& heading) {
    if (const std::string why = layout.problem(); !why.empty())
        return Status::failed(path, why);
    if (Status target = WholeFile::checkTarget(path); !target)
        return target;
    if (format == Pdf) {
        std::string why;
        const std::vector<unsigned char> bytes = PdfChart::render(patches, layout, heading, why);
        if (bytes.empty())
            return Status::failed(path, why.empty() ? "the PDF library gave no document" : why);
        return WholeFile::write(path,
                                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (layout.fit)
        return WholeFile::write(path,
                                [&](KvFile* f) { PostScriptChart::writePage(f, patches, heading.created); });
    return WholeFile::write(path, [&](KvFile* f) { PostScriptPages::write(f, patches, layout, heading); });
}
