// Runs every benchmark that was built and prints its figures.
namespace bench {
void runEngineBench();
void runTextCleanerBench();
void runDuplicatesBench();
void runOrganizerBench();
void runCountBench();
}  // namespace bench
void runFilesBench();

int main() {
    bench::runEngineBench();
#ifdef CW_BENCH_FILES
    runFilesBench();
#endif
#ifdef CW_BENCH_TEXT
    bench::runTextCleanerBench();
#endif
#ifdef CW_BENCH_DUPLICATES
    bench::runDuplicatesBench();
#endif
#ifdef CW_BENCH_ORGANIZER
    bench::runOrganizerBench();
#endif
#ifdef CW_BENCH_COUNT
    bench::runCountBench();
#endif
    return 0;
}
