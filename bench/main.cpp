// Runs every benchmark and prints its figures.
namespace bench {
void runEngineBench();
}
#ifdef CW_HAVE_FILES_BENCH
void runFilesBench();
#endif

int main() {
    bench::runEngineBench();
#ifdef CW_HAVE_FILES_BENCH
    runFilesBench();
#endif
    return 0;
}
