/* The single-pass reference scan that bench/links measures the link scanner against: reads
 * each file whole, finds every "<a href=", "<img src=" and "<frame src=" (ASCII letter case
 * ignored) with memchr for "<", skips the character after "=", and takes the value up to the
 * next double quote. It resolves nothing and checks no file.
 *
 *   links_reference FILE...        links_reference -l LISTFILE   (one file a line)
 *
 * Prints the number of files, bytes and references, and the total length of the values.
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char *const openings[3] = {"a href=", "img src=", "frame src="};
static unsigned long long files, bytes, references, valueBytes;

static int matches(const char *p, const char *end, const char *lower)
{
    size_t n = strlen(lower);
    if ((size_t)(end - p) < n)
        return 0;
    for (size_t i = 0; i < n; ++i) {
        char c = p[i];
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
        if (c != lower[i])
            return 0;
    }
    return 1;
}

static void scan(const char *p, const char *end)
{
    while (p < end && (p = memchr(p, '<', (size_t)(end - p))) != NULL) {
        ++p;
        for (int k = 0; k < 3; ++k) {
            if (!matches(p, end, openings[k]))
                continue;
            const char *value = p + strlen(openings[k]) + 1;
            if (value > end)
                value = end;
            const char *quote = memchr(value, '"', (size_t)(end - value));
            ++references;
            if (quote) {
                valueBytes += (unsigned long long)(quote - value);
                p = quote + 1;
            } else {
                p = value;
            }
            break;
        }
    }
}

static void scanFile(const char *path)
{
    int fd = open(path, O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
        perror(path);
        exit(1);
    }
    char *buffer = malloc((size_t)st.st_size + 1);
    size_t got = 0;
    ssize_t n;
    while (got < (size_t)st.st_size && (n = read(fd, buffer + got, (size_t)st.st_size - got)) > 0)
        got += (size_t)n;
    close(fd);
    scan(buffer, buffer + got);
    free(buffer);
    ++files;
    bytes += got;
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "-l") == 0) {
        FILE *list = fopen(argv[2], "r");
        char line[8192];
        if (!list) {
            perror(argv[2]);
            return 1;
        }
        while (fgets(line, sizeof line, list)) {
            line[strcspn(line, "\n")] = '\0';
            if (line[0])
                scanFile(line);
        }
        fclose(list);
    } else {
        for (int i = 1; i < argc; ++i)
            scanFile(argv[i]);
    }
    printf("%llu files, %llu bytes, %llu references, %llu value bytes\n", files, bytes, references,
           valueBytes);
    return 0;
}
