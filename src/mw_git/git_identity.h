// What a revision's commit says about who made it and when: the date text
// and the author name and address handed to git.
#pragma once

#include <cstddef>
#include <string>

// The repository's own identity, used for whatever a commit is not told.
inline constexpr char kImporterName[] = "MediaWiki Importer";
inline constexpr char kImporterEmail[] = "importer@wiki.invalid";
// The pseudo-domain of every author address; ".invalid" can never resolve.
inline constexpr char kAuthorEmailDomain[] = "wiki.invalid";
inline constexpr char kDefaultAuthorName[] = "MediaWiki User";
// Date of a revision whose timestamp git could not take.
inline constexpr char kFallbackGitDate[] = "2020-01-01T00:00:00+0000";

// Buffer sizes the export uses.
inline constexpr size_t kGitDateSize = 32;
inline constexpr size_t kAuthorEmailSize = 256;

// Writes the MediaWiki timestamp YYYYMMDDHHMMSS (UTC) as
// "YYYY-MM-DDTHH:MM:SS+0000"; bytes after the 14th are ignored. A null or
// shorter timestamp, a non-digit among the 14 bytes, a field out of range
// (month 01-12, day 01-31, hour 00-23, minute and second 00-59) or a year
// outside 1970-2099, which git refuses, gives kFallbackGitDate. Cut to
// out_size - 1 bytes; a null out or zero out_size writes nothing.
void format_git_date(const char *timestamp, char *out, size_t out_size);

// Writes "<local>@wiki.invalid", the local part being the ASCII letters,
// digits, '.', '_' and '-' of user in their order, at most 127 of them, or
// "user" when there are none. A null user counts as "". Cut to
// out_size - 1 bytes; a null out or zero out_size writes nothing.
void format_author_email(const char *user, char *out, size_t out_size);

// The user name as git records it: leading and trailing bytes up to 0x20 and
// . , : ; < > " \ ' trimmed, then '<', '>' and '\n' dropped; when nothing is
// left (or user is null), kDefaultAuthorName. Handing git the reduced name
// keeps it from refusing a name it would empty. Allocation failure throws
// std::bad_alloc.
std::string git_author_name(const char *user);
