/* A file system that stands in for a file server in the benchmarks: every
 * call passes through to a backing folder (on tmpfs, so the disk costs
 * nothing), and every metadata operation first sleeps a set time, the
 * round trip an uncached network share waits. Reads and writes of file data
 * do not sleep.
 *
 *   bench_slowfs BACKING MOUNTPOINT [-o delay_us=N] [-o cache_s=S] [FUSE options]
 *
 * delay_us: microseconds slept per metadata operation (default 1000).
 * cache_s:  how long the kernel may keep attributes, names and misses
 *           (default 0: every lookup reaches us, as on a share that caches
 *           nothing).
 * The loop is libfuse's multi-threaded one (do not pass -s), with up to 64
 * threads unless -o max_threads says otherwise, so that many callers wait
 * their round trips at once, as they would on a server.
 *
 * Every call works relative to a descriptor of the backing folder with the
 * *at calls. The kernel hands us paths it resolved itself: no "..", no
 * links inside; the last component is never followed where a link could
 * stand (lstat-like calls, AT_SYMLINK_NOFOLLOW, O_NOFOLLOW where sensible).
 */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

struct options {
  const char* backing;
  unsigned long delay_us;
  double cache_s;
};

static struct options g_options = {NULL, 1000, 0};
static int g_root = -1;

#define OPTION(t, p) {t, offsetof(struct options, p), 1}
static const struct fuse_opt g_known[] = {OPTION("delay_us=%lu", delay_us), OPTION("cache_s=%lf", cache_s),
                                         FUSE_OPT_END};

static void wait_trip(void) {
  if (g_options.delay_us == 0) return;
  struct timespec t = {(time_t)(g_options.delay_us / 1000000), (long)(g_options.delay_us % 1000000) * 1000};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {
  }
}

/* The FUSE path "/a/b" as "a/b" below the backing folder; the root as ".". */
static const char* rel(const char* path) {
  while (*path == '/') ++path;
  return *path != '\0' ? path : ".";
}

static int result(int r) { return r < 0 ? -errno : 0; }

static void* slow_init(struct fuse_conn_info* conn, struct fuse_config* cfg) {
  (void)conn;
  cfg->use_ino = 1;     /* the backing inode numbers: stable identities */
  cfg->hard_remove = 1; /* no .fuse_hidden files left in folders to delete */
  cfg->attr_timeout = g_options.cache_s;
  cfg->entry_timeout = g_options.cache_s;
  cfg->negative_timeout = g_options.cache_s;
  return NULL;
}

static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* fi) {
  wait_trip();
  if (fi != NULL) return result(fstat((int)fi->fh, st));
  return result(fstatat(g_root, rel(path), st, AT_SYMLINK_NOFOLLOW));
}

static int slow_access(const char* path, int mask) {
  wait_trip();
  return result(faccessat(g_root, rel(path), mask, AT_SYMLINK_NOFOLLOW));
}

static int slow_readlink(const char* path, char* buf, size_t size) {
  wait_trip();
  ssize_t n = readlinkat(g_root, rel(path), buf, size - 1);
  if (n < 0) return -errno;
  buf[n] = '\0';
  return 0;
}

static int slow_mkdir(const char* path, mode_t mode) {
  wait_trip();
  return result(mkdirat(g_root, rel(path), mode));
}

static int slow_mknod(const char* path, mode_t mode, dev_t rdev) {
  wait_trip();
  return result(mknodat(g_root, rel(path), mode, rdev));
}

static int slow_unlink(const char* path) {
  wait_trip();
  return result(unlinkat(g_root, rel(path), 0));
}

static int slow_rmdir(const char* path) {
  wait_trip();
  return result(unlinkat(g_root, rel(path), AT_REMOVEDIR));
}

static int slow_symlink(const char* target, const char* path) {
  wait_trip();
  return result(symlinkat(target, g_root, rel(path)));
}

static int slow_rename(const char* from, const char* to, unsigned int flags) {
  wait_trip();
  return result(renameat2(g_root, rel(from), g_root, rel(to), flags));
}

static int slow_link(const char* from, const char* to) {
  wait_trip();
  return result(linkat(g_root, rel(from), g_root, rel(to), 0));
}

static int slow_chmod(const char* path, mode_t mode, struct fuse_file_info* fi) {
  wait_trip();
  if (fi != NULL) return result(fchmod((int)fi->fh, mode));
  return result(fchmodat(g_root, rel(path), mode, 0));
}

static int slow_chown(const char* path, uid_t uid, gid_t gid, struct fuse_file_info* fi) {
  wait_trip();
  if (fi != NULL) return result(fchown((int)fi->fh, uid, gid));
  return result(fchownat(g_root, rel(path), uid, gid, AT_SYMLINK_NOFOLLOW));
}

static int slow_truncate(const char* path, off_t size, struct fuse_file_info* fi) {
  wait_trip();
  if (fi != NULL) return result(ftruncate((int)fi->fh, size));
  int fd = openat(g_root, rel(path), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -errno;
  int r = result(ftruncate(fd, size));
  close(fd);
  return r;
}

static int slow_utimens(const char* path, const struct timespec tv[2], struct fuse_file_info* fi) {
  wait_trip();
  if (fi != NULL) return result(futimens((int)fi->fh, tv));
  return result(utimensat(g_root, rel(path), tv, AT_SYMLINK_NOFOLLOW));
}

static int slow_create(const char* path, mode_t mode, struct fuse_file_info* fi) {
  wait_trip();
  int fd = openat(g_root, rel(path), fi->flags | O_NOFOLLOW | O_CLOEXEC, mode);
  if (fd < 0) return -errno;
  fi->fh = (uint64_t)fd;
  return 0;
}

static int slow_open(const char* path, struct fuse_file_info* fi) {
  wait_trip();
  int fd = openat(g_root, rel(path), (fi->flags & ~O_CREAT) | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -errno;
  fi->fh = (uint64_t)fd;
  return 0;
}

static int slow_read(const char* path, char* buf, size_t size, off_t offset, struct fuse_file_info* fi) {
  (void)path;
  ssize_t n = pread((int)fi->fh, buf, size, offset);
  return n < 0 ? -errno : (int)n;
}

static int slow_write(const char* path, const char* buf, size_t size, off_t offset, struct fuse_file_info* fi) {
  (void)path;
  ssize_t n = pwrite((int)fi->fh, buf, size, offset);
  return n < 0 ? -errno : (int)n;
}

static int slow_statfs(const char* path, struct statvfs* st) {
  (void)path;
  wait_trip();
  return result(fstatvfs(g_root, st));
}

static int slow_release(const char* path, struct fuse_file_info* fi) {
  (void)path;
  close((int)fi->fh);
  return 0;
}

static int slow_fsync(const char* path, int datasync, struct fuse_file_info* fi) {
  (void)path;
  return result(datasync ? fdatasync((int)fi->fh) : fsync((int)fi->fh));
}

static int slow_opendir(const char* path, struct fuse_file_info* fi) {
  wait_trip();
  int fd = openat(g_root, rel(path), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -errno;
  DIR* dir = fdopendir(fd);
  if (dir == NULL) {
    int e = errno;
    close(fd);
    return -e;
  }
  fi->fh = (uint64_t)(uintptr_t)dir;
  return 0;
}

/* The whole listing in one call (offsets 0): libfuse keeps it for the
 * kernel's later reads, so a listing costs one round trip, as one request
 * to a server that answers with a full buffer. */
static int slow_readdir(const char* path, void* buf, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info* fi,
                        enum fuse_readdir_flags flags) {
  (void)path;
  (void)offset;
  (void)flags;
  wait_trip();
  DIR* dir = (DIR*)(uintptr_t)fi->fh;
  rewinddir(dir);
  errno = 0;
  for (struct dirent* d; (d = readdir(dir)) != NULL; errno = 0) {
    struct stat st;
    memset(&st, 0, sizeof st);
    st.st_ino = d->d_ino;
    st.st_mode = (mode_t)DTTOIF(d->d_type);
    if (fill(buf, d->d_name, &st, 0, 0) != 0) break;
  }
  return -errno;
}

static int slow_releasedir(const char* path, struct fuse_file_info* fi) {
  (void)path;
  closedir((DIR*)(uintptr_t)fi->fh);
  return 0;
}

static const struct fuse_operations g_operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .access = slow_access,
    .readlink = slow_readlink,
    .mkdir = slow_mkdir,
    .mknod = slow_mknod,
    .unlink = slow_unlink,
    .rmdir = slow_rmdir,
    .symlink = slow_symlink,
    .rename = slow_rename,
    .link = slow_link,
    .chmod = slow_chmod,
    .chown = slow_chown,
    .truncate = slow_truncate,
    .utimens = slow_utimens,
    .create = slow_create,
    .open = slow_open,
    .read = slow_read,
    .write = slow_write,
    .statfs = slow_statfs,
    .release = slow_release,
    .fsync = slow_fsync,
    .opendir = slow_opendir,
    .readdir = slow_readdir,
    .releasedir = slow_releasedir,
};

/* The first argument that is no option is the backing folder; the second,
 * the mount point, is libfuse's. */
static int take_backing(void* data, const char* arg, int key, struct fuse_args* out) {
  (void)data;
  (void)out;
  if (key == FUSE_OPT_KEY_NONOPT && g_options.backing == NULL) {
    g_options.backing = arg;
    return 0;
  }
  return 1;
}

int main(int argc, char* argv[]) {
  struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
  if (fuse_opt_parse(&args, &g_options, g_known, take_backing) != 0) return 1;
  if (g_options.backing == NULL) {
    fprintf(stderr, "usage: %s BACKING MOUNTPOINT [-o delay_us=N] [-o cache_s=S] [FUSE options]\n", argv[0]);
    return 1;
  }
  g_root = open(g_options.backing, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (g_root < 0) {
    fprintf(stderr, "%s: cannot open the backing folder %s: %s\n", argv[0], g_options.backing, strerror(errno));
    return 1;
  }
  /* Before the caller's options, so that theirs win. */
  if (fuse_opt_insert_arg(&args, 1, "-omax_threads=64,max_idle_threads=64") != 0) return 1;
  umask(0);
  int rc = fuse_main(args.argc, args.argv, &g_operations, NULL);
  fuse_opt_free_args(&args);
  close(g_root);
  return rc;
}
