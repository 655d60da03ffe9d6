#include "Kvlib.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct KvGlobals {
    bool subsystems = false;
    bool logToFile = false;
};

KvGlobals globals;

} // namespace

int Kv_InitSubSystems(int) {
    globals.subsystems = true;
    return 0;
}

int LogErrorLogtofile(int enable) {
    // The library logs to the standard streams only; a log file is never written.
    globals.logToFile = enable != 0;
    return 0;
}

std::uintptr_t KvInitGlobals() {
    return reinterpret_cast<std::uintptr_t>(&globals);
}

int KvInitStorageClasses(std::uintptr_t g) {
    return g == reinterpret_cast<std::uintptr_t>(&globals) ? 0 : 1;
}

void* Kv_calloc(std::size_t count, std::size_t size) {
    // A product that would wrap round is refused here rather than left to the C library.
    if (count == 0 || size == 0 || count > SIZE_MAX / size)
        return nullptr;
    return std::calloc(count, size);
}

void Kv_free(void* block) {
    std::free(block);
}

char* AllocateAndCopyString(const char* text) {
    if (!text)
        return nullptr;
    const std::size_t n = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy)
        std::memcpy(copy, text, n);
    return copy;
}

void AddList(KvListLink** head, KvListLink* record) {
    if (!head || !record)
        return;
    record->next = nullptr;
    if (!*head) {
        record->first = record;
        record->last = record;
        record->previous = nullptr;
        *head = record;
        return;
    }
    KvListLink* first = *head;
    KvListLink* last = first->last;
    last->next = record;
    record->previous = last;
    record->first = first;
    record->last = nullptr;
    first->last = record;
}

void RemoveList(KvListLink** head, KvListLink* record) {
    if (!head || !*head || !record)
        return;
    KvListLink* first = *head;
    KvListLink* newFirst = first;
    if (record == first) {
        newFirst = record->next;
        if (newFirst) {
            newFirst->previous = nullptr;
            newFirst->last = first->last;
            for (KvListLink* r = newFirst; r; r = r->next)
                r->first = newFirst;
        }
        *head = newFirst;
    } else {
        if (record->previous)
            record->previous->next = record->next;
        if (record->next)
            record->next->previous = record->previous;
        else
            first->last = record->previous;
    }
    record->first = record->last = record->next = record->previous = nullptr;
}

int ListLength(const KvListLink* head) {
    int n = 0;
    for (const KvListLink* r = head; r; r = r->next)
        ++n;
    return n;
}

void FreeList(KvListLink** head) {
    if (!head)
        return;
    KvListLink* r = *head;
    while (r) {
        KvListLink* next = r->next;
        std::free(r);
        r = next;
    }
    *head = nullptr;
}

struct KvFile {
    std::FILE* stream = nullptr;
    std::string target;
    std::string temp;
    bool failed = false;
    mode_t mode = 0; // the replaced file's permissions; 0 for a new file
};

KvFile* Kv_fopen(const char* path, const char* mode) {
    if (!path || !*path || !mode || std::strchr(mode, 'w') == nullptr)
        return nullptr;
    // A link is followed to the file it names, so the link stays a link; a
    // directory or a device is not a file we may replace.
    std::string target = path;
    char resolved[PATH_MAX];
    if (::realpath(path, resolved))
        target = resolved;
    struct stat st;
    const bool replacing = ::stat(target.c_str(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode))
        return nullptr;
    auto* f = new KvFile;
    f->target = target;
    if (replacing)
        f->mode = st.st_mode & 07777;
    f->temp = f->target + ".XXXXXX";
    int fd = ::mkstemp(f->temp.data());
    if (fd < 0) {
        delete f;
        return nullptr;
    }
    f->stream = ::fdopen(fd, "wb");
    if (!f->stream) {
        ::close(fd);
        ::unlink(f->temp.c_str());
        delete f;
        return nullptr;
    }
    return f;
}

std::size_t Kv_fwrite(const void* buffer, std::size_t size, std::size_t count, KvFile* f) {
    if (!f || !f->stream)
        return 0;
    const std::size_t n = std::fwrite(buffer, size, count, f->stream);
    if (n != count)
        f->failed = true;
    return n;
}

int Kv_fprintf(KvFile* f, const char* format, ...) {
    if (!f || !f->stream)
        return -1;
    // File formats want '.' as the decimal point whatever the user's locale.
    static locale_t cLocale = ::newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = cLocale ? ::uselocale(cLocale) : static_cast<locale_t>(0);
    va_list args;
    va_start(args, format);
    const int n = std::vfprintf(f->stream, format, args);
    va_end(args);
    if (cLocale)
        ::uselocale(previous);
    if (n < 0)
        f->failed = true;
    return n;
}

int Kv_fclose(KvFile* f) {
    if (!f)
        return -1;
    bool ok = !f->failed && std::fflush(f->stream) == 0 && ::fsync(::fileno(f->stream)) == 0;
    ok = (std::fclose(f->stream) == 0) && ok;
    // mkstemp creates the file readable by its owner only. A replaced file
    // keeps the permissions its owner gave it (a private 0600 file stays
    // private); a new one gets the usual mode.
    if (ok) {
        mode_t mode = f->mode;
        if (mode == 0) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::chmod(f->temp.c_str(), mode);
        ok = std::rename(f->temp.c_str(), f->target.c_str()) == 0;
    }
    if (!ok)
        ::unlink(f->temp.c_str());
    delete f;
    return ok ? 0 : -1;
}

void Kv_fabort(KvFile* f) {
    if (!f)
        return;
    std::fclose(f->stream);
    ::unlink(f->temp.c_str());
    delete f;
}

char* Kv_ctime(const std::time_t* time, char* buffer) {
    if (!time || !buffer)
        return nullptr;
    return ::ctime_r(time, buffer);
}
