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
  // The name comes from the clock; on a clash (or a planted file or link)
  // another number is tried, and an existing file is never opened.
  auto stamp = static_cast<uint32_t>(ov_time_ms());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    char name[64];
    snprintf(name, sizeof name, "texts_%u.dat", stamp + attempt);
    std::string path = store->work_dir + kPathSep + name;
    store->text_path = path;
    int fd = open(path.c_str(),
                  O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    FILE *f = fdopen(fd, "w+b");
    if (f == nullptr) {
      close(fd);
      unlink(path.c_str());
      return -1;
    }
    store->text_file.reset(f);
    store->spool_end = 0;
    return 0;
  }
  return -1;
}

void mw_store_destroy(mw_store_t *store) {
  if (store == nullptr) return;
  store->text_file.reset();
  if (!store->text_path.empty()) remove(store->text_path.c_str());
  delete store;
}
