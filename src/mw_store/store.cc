#include "mw_store/store.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "platform/platform.h"

mw_store_t *mw_store_create(const char *work_dir) {
  auto *store = new (std::nothrow) mw_store_t();
  if (store == nullptr) return nullptr;
  if (work_dir == nullptr || work_dir[0] == '\0') return store;
  store->work_dir = work_dir;
  ov_mkdir_p(work_dir);
  store_open_spool(store);
  return store;
}

int store_open_spool(mw_store_t *store) {
  // The spool is created inside the work directory as opened here, so a
  // link planted in place of the directory or of the file is never
  // followed. The name comes from the clock; on a clash another number is
  // tried, and an existing file is never opened.
  if (!store->spool_dir.valid()) {
    int dir = open(store->work_dir.c_str(),
                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) return -1;
    store->spool_dir.reset(dir);
  }
  auto stamp = static_cast<uint32_t>(ov_time_ms());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    char name[64];
    snprintf(name, sizeof name, "texts_%u.dat", stamp + attempt);
    int fd = openat(store->spool_dir.get(), name,
                    O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    FILE *f = fdopen(fd, "w+b");
    if (f == nullptr) {
      close(fd);
      unlinkat(store->spool_dir.get(), name, 0);
      return -1;
    }
    store->text_file.reset(f);
    store->spool_name = name;
    store->text_path = store->work_dir + kPathSep + name;
    store->spool_end = 0;
    return 0;
  }
  return -1;
}

void mw_store_destroy(mw_store_t *store) {
  if (store == nullptr) return;
  store->text_file.reset();
  if (!store->spool_name.empty())
    unlinkat(store->spool_dir.get(), store->spool_name.c_str(), 0);
  delete store;
}
