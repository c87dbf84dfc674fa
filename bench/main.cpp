// Runs every benchmark that was built and prints its figures; `cellwash_bench GROUP...` runs
// only the named groups (engine, files, text, duplicates, organizer, count), for profiling.
#include <cstdio>
#include <cstring>

namespace bench {
void runEngineBench();
void runTextCleanerBench();
void runDuplicatesBench();
void runOrganizerBench();
void runCountBench();
}  // namespace bench
void runFilesBench();

namespace {

struct Group {
    const char* name;
    void (*run)();
};

constexpr Group kGroups[] = {
    {"engine", bench::runEngineBench},
#ifdef CW_BENCH_FILES
    {"files", runFilesBench},
#endif
#ifdef CW_BENCH_TEXT
    {"text", bench::runTextCleanerBench},
#endif
#ifdef CW_BENCH_DUPLICATES
    {"duplicates", bench::runDuplicatesBench},
#endif
#ifdef CW_BENCH_ORGANIZER
    {"organizer", bench::runOrganizerBench},
#endif
#ifdef CW_BENCH_COUNT
    {"count", bench::runCountBench},
#endif
};

bool chosen(const char* name, int argc, char** argv) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        bool known = false;
        for (const Group& group : kGroups) known = known || std::strcmp(argv[i], group.name) == 0;
        if (!known) {
            std::fprintf(stderr, "cellwash_bench: no benchmark group \"%s\"; groups:", argv[i]);
            for (const Group& group : kGroups) std::fprintf(stderr, " %s", group.name);
            std::fprintf(stderr, "\n");
            return 2;
        }
    }
    for (const Group& group : kGroups)
        if (chosen(group.name, argc, argv)) group.run();
    return 0;
}
