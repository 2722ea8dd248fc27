#include "mw_git/git_names.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

constexpr char kExtension[] = ".wiki";
constexpr size_t kExtensionLen = sizeof kExtension - 1;
// Room the title leaves in the buffer: the extension, its NUL, and slack.
constexpr size_t kReserve = 8;

constexpr const char *kNamespaceNames[] = {
    "",          "Talk",          "User",     "User_talk",
    "Project",   "Project_talk",  "File",     "File_talk",
    "MediaWiki", "MediaWiki_talk", "Template", "Template_talk",
    "Help",      "Help_talk",     "Category", "Category_talk",
};
constexpr int32_t kNamedNamespaces =
    static_cast<int32_t>(sizeof kNamespaceNames / sizeof kNamespaceNames[0]);

bool replaced_in_file_name(unsigned char c) {
  switch (c) {
    case ' ': case '"': case '*': case ':': case '<':
    case '>': case '?': case '\\': case '|':
      return true;
    default:
      return false;
  }
}

bool only_dots_and_spaces(std::string_view s) {
  return s.find_first_not_of(". ") == std::string_view::npos;
}

// "", ".", ".." and the names git refuses as a path component: ".git" and
// its NTFS aliases ("git~1", either followed by dots or spaces), any case.
bool unsafe_component(std::string_view s) {
  if (s.empty() || s == "." || s == "..") return true;
  if (ascii::istarts_with(s, ".git") && only_dots_and_spaces(s.substr(4))) return true;
  return ascii::istarts_with(s, "git~1") && only_dots_and_spaces(s.substr(5));
}

bool namespace_directory_name(std::string_view s) {
  for (const char *name : kNamespaceNames)
    if (*name != '\0' && s == name) return true;
  constexpr std::string_view kPrefix = "Namespace_";
  if (s.substr(0, kPrefix.size()) != kPrefix) return false;
  std::string_view number = s.substr(kPrefix.size());
  if (!number.empty() && number[0] == '-') number.remove_prefix(1);
  if (number.empty()) return false;
  for (char c : number)
    if (!ascii::is_digit(c)) return false;
  return true;
}

std::string_view without_leading_underscores(std::string_view s) {
  size_t i = s.find_first_not_of('_');
  return i == std::string_view::npos ? std::string_view() : s.substr(i);
}

std::string_view without_trailing_underscores(std::string_view s) {
  size_t i = s.find_last_not_of('_');
  return i == std::string_view::npos ? std::string_view() : s.substr(0, i + 1);
}

bool ends_with_extension(std::string_view s) {
  return s.size() >= kExtensionLen &&
         s.substr(s.size() - kExtensionLen) == kExtension;
}

// Appends one directory component of a title. Three classes of components
// are rewritten by one '_' each:
//  1. underscores followed by an unsafe component ("", ".", "..", ".git",
//     "git~1" ...) get a '_' in front: "" -> "_", "." -> "_.", "_" -> "__";
//  2. names ending in ".wiki" then underscores get a '_' behind, so that no
//     directory takes the name of a page file ("A.wiki/B" beside "A");
//  3. in the root of namespace 0, a namespace directory or the work
//     directory, then underscores, gets a '_' behind, so that the article
//     "Talk/Foo" stays apart from the talk page "Foo".
// Each rewrite keeps its class and leaves every other component alone, so
// different titles keep different paths. The last component needs none of
// this: it always ends in ".wiki".
void append_directory(std::string &path, std::string_view part, bool in_root) {
  if (unsafe_component(without_leading_underscores(part))) {
    path += '_';
    path += part;
    return;
  }
  path += part;
  std::string_view base = without_trailing_underscores(part);
  if (ends_with_extension(base) ||
      (in_root && (base == std::string_view(kWorkDirName) || namespace_directory_name(base))))
    path += '_';
}

}  // namespace

void sanitize_title_to_filename(const char *title, char *out, size_t out_size) {
  if (title == nullptr || out == nullptr || out_size < kReserve) return;
  size_t n = 0;
  for (; title[n] != '\0' && n < out_size - kReserve; ++n) {
    auto c = static_cast<unsigned char>(title[n]);
    out[n] = replaced_in_file_name(c) ? '_' : title[n];
  }
  out[n] = '\0';
  if (n >= kExtensionLen && memcmp(out + n - kExtensionLen, kExtension, kExtensionLen) == 0)
    return;
  snprintf(out + n, out_size - n, "%s", kExtension);
}

std::string namespace_directory(int32_t namespace_id) {
  if (namespace_id >= 0 && namespace_id < kNamedNamespaces)
    return kNamespaceNames[namespace_id];
  char name[32];
  snprintf(name, sizeof name, "Namespace_%d", static_cast<int>(namespace_id));
  return name;
}

std::string page_file_path(int32_t namespace_id, const char *title) {
  char name[kFileNameSize];
  sanitize_title_to_filename(title != nullptr ? title : "", name, sizeof name);

  std::string path = namespace_directory(namespace_id);
  if (!path.empty()) path += kPathSep;
  bool in_root = namespace_id == 0;
  std::string_view rest(name);
  for (size_t slash; (slash = rest.find('/')) != std::string_view::npos;) {
    append_directory(path, rest.substr(0, slash), in_root);
    path += kPathSep;
    rest.remove_prefix(slash + 1);
    in_root = false;
  }
  path += rest;
  return path;
}
