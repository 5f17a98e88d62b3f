// The floor for renaming many files: a bare loop of renameat2 calls with
// RENAME_NOREPLACE in one folder, the new names made by printf, no listing,
// no status calls, no journal. Kesto's rename runs are timed against it.
//
// Usage: limit_rename DIR COUNT FROM TO
//   renames FROM % i to TO % i for i = 1 .. COUNT (FROM and TO are printf
//   formats with one integer, e.g. IMG_%06d.jpg Foto_%06d.jpg); prints how
//   many were renamed.

#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: %s DIR COUNT FROM TO\n", argv[0]);
        return 2;
    }
    int dir = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        perror(argv[1]);
        return 1;
    }
    long count = strtol(argv[2], NULL, 10);
    long renamed = 0;
    char from[4096], to[4096];
    for (long i = 1; i <= count; ++i) {
        snprintf(from, sizeof from, argv[3], (int)i);
        snprintf(to, sizeof to, argv[4], (int)i);
        if (renameat2(dir, from, dir, to, RENAME_NOREPLACE) == 0)
            ++renamed;
    }
    printf("%ld\n", renamed);
    return renamed == count ? 0 : 1;
}
