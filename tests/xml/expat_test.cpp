// The reader conformance suite on expat, the XML parser of Linux builds, and a run as
// large as a day's: read in pieces, with memory growing by less than the file's size.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "adapters/xml/expat_parser.h"
#include "core/recorded/read_run.h"
#include "core/recorded/utc_time.h"
#include "tests/reader_conformance.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUORRAN_ASAN true
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORRAN_ASAN true
#endif
#endif
#ifndef QUORRAN_ASAN
#define QUORRAN_ASAN false
#endif

namespace quorran {
namespace {

constexpr bool UNDER_ADDRESS_SANITIZER = QUORRAN_ASAN;

TEST(ExpatParser, ReadsEveryRunAsTheConformanceSuiteWants) {
    ExpatParser parser;
    for (const std::string& failure : testing::check_reader_conformance(parser)) ADD_FAILURE() << failure;
}

// The peak resident memory of this process so far, in bytes.
std::size_t peak_memory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

TEST(ExpatParser, ReadsADaysRunWithMemoryGrowingLessThanTheFile) {
    // 100,000 points a second apart with heart rate and cadence: 23 MB of GPX.
    constexpr int POINTS = 100'000;
    std::string gpx;
    gpx.reserve(std::size_t{24} << 20);
    gpx = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"test\" "
          "xmlns=\"http://www.topografix.com/GPX/1/1\" "
          "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\">\n<trk><trkseg>\n";
    for (int i = 0; i < POINTS; ++i) {
        const std::string fraction = std::to_string(1'000'000 + i % 1'000'000).substr(1);
        gpx += "<trkpt lat=\"51.4" + fraction + "\" lon=\"-0.1" + fraction + "\"><ele>" + std::to_string(10 + i % 50) +
               ".4</ele><time>" + utc_time_text(1714546800.0 + i, 0) +
               "</time><extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>" + std::to_string(120 + i % 60) +
               "</gpxtpx:hr><gpxtpx:cad>" + std::to_string(80 + i % 10) +
               "</gpxtpx:cad></gpxtpx:TrackPointExtension></extensions></trkpt>\n";
    }
    gpx += "</trkseg></trk>\n</gpx>\n";
    ASSERT_GT(gpx.size(), std::size_t{22} << 20);

    const std::size_t before = peak_memory();
    ExpatParser parser;
    const RunReading reading = read_run(gpx, &parser);
    const std::size_t growth = peak_memory() - before;
    ASSERT_TRUE(reading.run) << reading.refusal.message();
    EXPECT_EQ(reading.run->points.size(), std::size_t{POINTS});
    EXPECT_EQ(reading.run->points.back().cadence, 2.0 * (80 + (POINTS - 1) % 10));
    // AddressSanitizer keeps freed memory aside, so only a plain build measures this.
    if (!UNDER_ADDRESS_SANITIZER) {
        EXPECT_LT(growth, gpx.size()) << "grew by " << growth << " bytes for a file of " << gpx.size();
    }
}

}  // namespace
}  // namespace quorran
