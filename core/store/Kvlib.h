// The support library's C layer: start-up, zero-filled memory, intrusive
// doubly linked lists, whole-or-nothing files and the date text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <type_traits>

// --- start-up -------------------------------------------------------------
int Kv_InitSubSystems(int flags);
int LogErrorLogtofile(int enable);
// A handle on the library's globals, 0 on failure.
std::uintptr_t KvInitGlobals();
// 0 on success.
int KvInitStorageClasses(std::uintptr_t globals);

// --- memory ---------------------------------------------------------------
void* Kv_calloc(std::size_t count, std::size_t size);
void Kv_free(void* block);
char* AllocateAndCopyString(const char* text);

// --- lists ----------------------------------------------------------------
// Every record kept in a list begins with this header.
struct KvListLink {
    KvListLink* first;  // the list's first record
    std::uint32_t type; // packet type code, 0 when none
    std::uint32_t spare;
    KvListLink* last;     // in the first record: the list's last record
    KvListLink* next;     // null at the end
    KvListLink* previous; // null at the start
};

void AddList(KvListLink** head, KvListLink* record);
void RemoveList(KvListLink** head, KvListLink* record);
int ListLength(const KvListLink* head);
// Releases every record (with Kv_free) and leaves the head null.
void FreeList(KvListLink** head);

// Typed forms for records whose first member is `KvListLink link`.
template <class T> KvListLink** kvLinkHead(T** head) {
    static_assert(std::is_standard_layout_v<T> && offsetof(T, link) == 0, "record must begin with its link");
    return reinterpret_cast<KvListLink**>(head);
}
template <class T> void AddList(T** head, T* record) {
    AddList(kvLinkHead(head), &record->link);
}
template <class T> void RemoveList(T** head, T* record) {
    RemoveList(kvLinkHead(head), &record->link);
}
template <class T> int ListLength(const T* head) {
    return ListLength(head ? &head->link : nullptr);
}
template <class T> void FreeList(T** head) {
    FreeList(kvLinkHead(head));
}
template <class T> T* KvNext(const T* record) {
    return reinterpret_cast<T*>(record->link.next);
}
template <class T> T* KvPrevious(const T* record) {
    return reinterpret_cast<T*>(record->link.previous);
}

// --- files ----------------------------------------------------------------
// A file written whole or not at all: Kv_fopen writes to a temporary file
// beside the target, and Kv_fclose puts it in place only when every write
// succeeded. Numbers are written with '.' as the decimal point in any locale.
struct KvFile;
KvFile* Kv_fopen(const char* path, const char* mode);
std::size_t Kv_fwrite(const void* buffer, std::size_t size, std::size_t count, KvFile* file);
int Kv_fprintf(KvFile* file, const char* format, ...) __attribute__((format(printf, 2, 3)));
// 0 when the file is in place; otherwise nothing was written and the target is untouched.
int Kv_fclose(KvFile* file);
// Drops a file without putting it in place.
void Kv_fabort(KvFile* file);

// --- time -----------------------------------------------------------------
// The date text, "Wed Jun 30 21:49:08 1993\n", in the caller's buffer (26 bytes or more).
char* Kv_ctime(const std::time_t* time, char* buffer);
