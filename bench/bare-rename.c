// The baseline of bench/batch-vs-peers.sh: the least a program can do to rename every folder of a tree,
// one renameat2 with RENAME_NOREPLACE per folder named in a list, nothing else read or written.
//
//   bare-rename make DIR COUNT [PER_LEVEL]   creates COUNT folders (siblings, or nested PER_LEVEL a level)
//   bare-rename listed LIST PREFIX           renames every folder LIST names, one path a line, deepest
//                                            first, to PREFIX + name: the timed loop
//   bare-rename add DIR PREFIX               the same for every folder below DIR, found by a walk that
//                                            opens every folder
//   bare-rename strip DIR PREFIX             takes PREFIX off again
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static long renamed;

static int renameOne(int dirfd, const char* from, const char* to)
{
    if (renameat2(dirfd, from, dirfd, to, RENAME_NOREPLACE) != 0) {
        fprintf(stderr, "rename %s -> %s: %s\n", from, to, strerror(errno));
        return -1;
    }
    ++renamed;
    return 0;
}

// Renames the folders of one directory after their own subfolders (deepest first), so paths stay valid.
static int walk(int dirfd, int add, const char* prefix, size_t prefixLength)
{
    DIR* dir = fdopendir(dirfd);
    if (!dir)
        return -1;
    char** names = NULL;
    size_t count = 0, capacity = 0;
    for (struct dirent* e; (e = readdir(dir));) {
        if (e->d_type != DT_DIR || !strcmp(e->d_name, ".") || !strcmp(e->d_name, ".."))
            continue;
        if (count == capacity) {
            capacity = capacity ? capacity * 2 : 64;
            names = realloc(names, capacity * sizeof *names);
        }
        names[count++] = strdup(e->d_name);
    }
    int status = 0;
    char target[4096];
    for (size_t i = 0; i < count && status == 0; ++i) {
        const int child = openat(dirfd, names[i], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (child >= 0)
            status = walk(child, add, prefix, prefixLength);
        if (status != 0)
            break;
        if (add) {
            snprintf(target, sizeof target, "%s%s", prefix, names[i]);
            status = renameOne(dirfd, names[i], target);
        } else if (!strncmp(names[i], prefix, prefixLength)) {
            status = renameOne(dirfd, names[i], names[i] + prefixLength);
        }
    }
    for (size_t i = 0; i < count; ++i)
        free(names[i]);
    free(names);
    closedir(dir);
    return status;
}

static long made;

static int make(const char* path, long count, long perLevel)
{
    if (mkdir(path, 0755) != 0 && errno != EEXIST)
        return -1;
    char child[4096];
    const long here = perLevel > 0 && count > perLevel ? perLevel : count;
    const long below = here > 0 ? (count - here) / here : 0;
    long rest = count - here - below * here;
    for (long i = 0; i < here; ++i) {
        snprintf(child, sizeof child, "%s/folder%07ld", path, i);
        if (mkdir(child, 0755) != 0 && errno != EEXIST)
            return -1;
        ++made;
        long mine = below + (rest > 0 ? 1 : 0);
        if (rest > 0)
            --rest;
        if (perLevel > 0 && mine > 0 && make(child, mine, perLevel) != 0)
            return -1;
    }
    return 0;
}

// Each path is still valid when its turn comes, since the list names the folders deepest first.
static int renameListed(const char* listPath, const char* prefix)
{
    FILE* list = fopen(listPath, "r");
    if (!list) {
        perror(listPath);
        return -1;
    }
    char path[4096];
    char target[4096 + 256];
    int status = 0;
    while (status == 0 && fgets(path, sizeof path, list)) {
        size_t length = strlen(path);
        if (length > 0 && path[length - 1] == '\n')
            path[--length] = 0;
        const char* slash = strrchr(path, '/');
        if (!slash)
            continue;
        snprintf(target, sizeof target, "%.*s%s%s", (int)(slash + 1 - path), path, prefix, slash + 1);
        status = renameOne(AT_FDCWD, path, target);
    }
    fclose(list);
    return status;
}

int main(int argc, char** argv)
{
    if (argc == 4 && !strcmp(argv[1], "listed")) {
        const int status = renameListed(argv[2], argv[3]);
        fprintf(stderr, "%ld renamed\n", renamed);
        return status ? 1 : 0;
    }
    if (argc >= 4 && !strcmp(argv[1], "make")) {
        const int status = make(argv[2], atol(argv[3]), argc > 4 ? atol(argv[4]) : 0);
        printf("%ld folders made\n", made);
        return status ? 1 : 0;
    }
    if (argc == 4 && (!strcmp(argv[1], "add") || !strcmp(argv[1], "strip"))) {
        const int fd = open(argv[2], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            perror(argv[2]);
            return 1;
        }
        const int status = walk(fd, argv[1][0] == 'a', argv[3], strlen(argv[3]));
        fprintf(stderr, "%ld renamed\n", renamed);
        return status ? 1 : 0;
    }
    fprintf(stderr, "usage: %s make DIR COUNT [PER_LEVEL] | listed LIST PREFIX | add DIR PREFIX | strip DIR PREFIX\n", argv[0]);
    return 2;
}
