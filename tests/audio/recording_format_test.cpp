#include <gtest/gtest.h>

#include "audio/RecordingFormat.h"

namespace audio {
namespace {

TEST(RecordingFormat, EachCaptionGivesItsNumbersAndOthersGiveZeros) {
    const RecordingFormat eightMono = recordingFormatFor("44.100Hz, 8bit Mono, 43k/sec");
    EXPECT_EQ(eightMono.alignment, 1);
    EXPECT_EQ(eightMono.bytesPerSecond, 44100);
    const RecordingFormat eightStereo = recordingFormatFor("44.100Hz, 8bit Stereo, 86k/sec");
    EXPECT_EQ(eightStereo.channels, 2);
    EXPECT_EQ(eightStereo.alignment, 2);
    EXPECT_EQ(eightStereo.bytesPerSecond, 88200);
    const RecordingFormat sixteenMono = recordingFormatFor("44.100Hz, 16bit Mono, 86k/sec");
    EXPECT_EQ(sixteenMono.bitsPerSample, 16);
    EXPECT_EQ(sixteenMono.alignment, 2);
    EXPECT_EQ(setCaptureCommand(recordingFormatFor("44.100Hz, 16bit Stereo, 172k/sec")),
              "set capture samplespersec 44100 channels 2 bitspersample 16 alignment 4 "
              "bytespersec 176400");
    // The captions are compared exactly.
    for (const std::string other :
         {"", "44.100Hz, 16bit stereo, 172k/sec", " 44.100Hz, 8bit Mono, 43k/sec"}) {
        EXPECT_EQ(setCaptureCommand(recordingFormatFor(other)),
                  "set capture samplespersec 0 channels 0 bitspersample 0 alignment 0 "
                  "bytespersec 0")
            << other;
    }
}

}  // namespace
}  // namespace audio
