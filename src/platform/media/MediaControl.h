#pragma once
// The media-control command strings the recorder and the player send: one
// command text in, a result code and an answer text out. Devices are opened
// under an alias and then addressed by it:
//   open new type waveaudio alias A        a wave recorder (the default input)
//   open waveaudio!PATH alias A            a WAV file to play
//   open sequencer!PATH alias A            a Standard MIDI File to play
//   set A samplespersec N channels N bitspersample N alignment N bytespersec N
//   set A time format bytes|milliseconds
//   set A file PATH                        the file a recording is written to
//                                          as it runs (else an unnamed one)
//   record A [overwrite], play A, stop A, close A
//   save A PATH                            the recording is left under PATH
//                                          (moved there from its file)
//   status A length|position|mode          the answer holds the value
// When record or save cannot write its file, the answer holds the reason.
// A recording whose sound server or input went away has stopped by itself
// (its mode reads "stopped") and keeps what it took; stop on it answers
// DeviceUnavailable with the reason, until the next record.
// A path may be written in double quotes (inside them \" is a quote and \\ a
// backslash), so any file name works; quotePath() writes it that way.

#include <string>

namespace media {

// Result codes; 0 is success.
enum MediaError : int {
    Success = 0,
    UnknownCommand = 1,
    UnknownAlias = 2,
    AliasInUse = 3,
    CannotOpenFile = 4,
    BadParameter = 5,
    DeviceUnavailable = 6,
    NotSupported = 7,
    CannotWriteFile = 8,
};

// Runs one command; the answer is emptied first and filled by status.
int mciSendString(const std::string& command, std::string& answer);
// The same, for commands whose answer nobody reads.
int mciSendString(const std::string& command);

// The path in double quotes with its quotes and backslashes escaped.
std::string quotePath(const std::string& path);

// Stops and closes every open alias (the program's end, and tests).
void closeAllMedia();

}  // namespace media
