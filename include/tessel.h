/*
 * tessel: read MediaWiki database dumps written by mysqldump, report on
 * them, and turn them into git repositories.
 *
 * Rules for every function below:
 *  - Text crosses the interface as NUL-terminated bytes, with no character
 *    set conversion.
 *  - Nothing returned is to be freed or written by the caller. Returned text
 *    points to constants or to static storage inside the library; see each
 *    function for how long it stays valid.
 *  - Failures are reported by the result ("{}" or -1); the message is then
 *    available from tessel_last_error() until the next inspect or import.
 *  - The library is not safe for concurrent calls: callers serialise them.
 */
#ifndef TESSEL_H
#define TESSEL_H

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Called after every commit of an import. pages_done counts the pages
 * handled so far, revisions_done the revision commits made so far; title is
 * the page title of the commit just made, valid only during the call.
 */
typedef void (*mw_progress_fn)(int pages_done, int revisions_done,
                               const char *title);

/* The library's version, "1.0.0". Never null; a constant. */
const char *tessel_version(void);

/*
 * The message of the most recent failed inspect or import call, or "" when
 * that call succeeded. Never null. The text stays valid until the next
 * inspect or import call, which empties it first.
 */
const char *tessel_last_error(void);

/*
 * Scans the dump at sql_path once and returns a pretty-printed JSON report
 * of its metadata and row counts. Returns the constant "{}" on failure (see
 * tessel_last_error). The report lives in a static buffer that the next
 * inspection overwrites: copy it to keep it. Never null.
 */
const char *tessel_inspect_dump_json(const char *sql_path);

/*
 * Imports the dump at sql_path into a git repository at wiki_root_dir (made,
 * with its parents, when missing): one commit per revision in timestamp
 * order, then one "Initialize" commit per page without revisions. progress
 * may be null. Returns 0 on success, -1 on failure (see tessel_last_error).
 */
int tessel_import_file(const char *sql_path, const char *wiki_root_dir,
                       mw_progress_fn progress);

#ifdef __cplusplus
}
#endif

#endif /* TESSEL_H */
