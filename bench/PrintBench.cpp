// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quillet developers

// Printing page 3 of the bundled demo (an image field that mixes with the page) to a PDF
// at 600 dpi: the peak memory of `quillet-cli print` run in a child process, and its
// time. Prints the figures and, last, one JSON object of them.
//
//     quillet-bench-print [DEMO.qlet] [PAGE] [DPI]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The peak of the same print when it rendered the whole page on a raster at the printer's
// resolution (measured with /usr/bin/time -v on the commit before area rasters), and when
// it rendered only the mixing areas but still held the background converted whole (on the
// commit before bands), for comparison.
constexpr double kWholePageRasterPeakMb = 441.5;
constexpr double kAreaRasterPeakMb = 310.9;
// What the print may take at most.
constexpr double kTargetPeakMb = 200;

} // namespace

int main(int argc, char** argv)
{
    const std::string demo =
        argc > 1 ? argv[1] : std::string(QUILLET_SOURCE_DIR) + "/examples/demo/demo.qlet";
    const std::string page = argc > 2 ? argv[2] : "3";
    const std::string dpi = argc > 3 ? argv[3] : "600";
    char folder[] = "/tmp/quillet-bench-print-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string output = std::string(folder) + "/page.pdf";
    std::vector<std::string> args = {QUILLET_CLI, "print", demo,    "--pages", page,
                                     "--output",  output,  "--dpi", dpi};
    std::vector<char*> argvChild;
    for (std::string& a : args)
        argvChild.push_back(a.data());
    argvChild.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        execv(argvChild[0], argvChild.data());
        std::perror("execv");
        _exit(127);
    }
    // The child's own figures: RUSAGE_CHILDREN would also count whatever ran in this
    // process before (scripts/bench execs the benchmark after building it).
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "quillet-cli print failed (status %d)\n", status);
        return 1;
    }
    const double peakMb = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    std::remove(output.c_str());
    rmdir(folder);
    const bool withinTarget = peakMb <= kTargetPeakMb;
    std::printf("print of page %s at %s dpi: %.2f s, peak %.1f MB (target %.0f MB: %s; whole-page "
                "raster: %.1f MB, area rasters: %.1f MB)\n",
                page.c_str(), dpi.c_str(), seconds, peakMb, kTargetPeakMb,
                withinTarget ? "met" : "missed", kWholePageRasterPeakMb, kAreaRasterPeakMb);
    std::printf("{\"page\": %s, \"dpi\": %s, \"seconds\": %.3f, \"peak_mb\": %.1f, "
                "\"target_peak_mb\": %.0f, \"within_target\": %s, "
                "\"whole_page_raster_peak_mb\": %.1f, \"area_raster_peak_mb\": %.1f}\n",
                page.c_str(), dpi.c_str(), seconds, peakMb, kTargetPeakMb,
                withinTarget ? "true" : "false", kWholePageRasterPeakMb, kAreaRasterPeakMb);
    return 0;
}
