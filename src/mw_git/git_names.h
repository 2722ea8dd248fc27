// Where a page's file lives in the repository: its name from the title, its
// directory from the namespace and from the slashes of the title.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Size of the buffer the export gives sanitize_title_to_filename; names are
// at most kFileNameSize - 3 (253) bytes.
inline constexpr size_t kFileNameSize = 256;

// The work directory of an import, in the root beside the pages.
inline constexpr char kWorkDirName[] = ".tessel_tmp";

// Writes the file name of a title into out: the title's bytes with space,
// '"', '*', ':', '<', '>', '?', '\' and '|' each written as '_', cut to
// out_size - 8 bytes, then ".wiki" unless the name already ends in exactly
// ".wiki". A slash stays a slash. Null title or out, or out_size below 8:
// out is not touched at all.
void sanitize_title_to_filename(const char *title, char *out, size_t out_size);

// The directory of a namespace's pages, relative to the root: "" for 0,
// "Talk", "User", ... "Category_talk" for 1 to 15, "Namespace_N" otherwise.
std::string namespace_directory(int32_t namespace_id);

// The path of a page's file relative to the repository root, '/' between
// its parts: the namespace directory, then the file name of the title, whose
// slashes lead into subdirectories. No part is empty, ".", "..", or a name
// git refuses to track, no directory takes a page file's name, and no
// article's directory takes a namespace's: such directory parts get one '_'
// more, in a way that keeps different titles apart. A null title counts as
// "". Allocation failure throws std::bad_alloc.
std::string page_file_path(int32_t namespace_id, const char *title);
