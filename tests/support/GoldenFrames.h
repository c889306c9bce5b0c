#pragma once

// Every command frame the host sends, byte for byte before scrambling, with the number of
// output and input reports of its bulk data. Written out from the command tables, never
// computed by the code under test, and shared by every seam that checks the wire: the command
// set through the virtual mouse and the kernel-level tests through the stock hidapi.
// Names: "k" for the keyboard dialect, "m" for the mouse's; the mouse answers 01, 04, 81 and 83
// of the keyboard dialect too.
struct GoldenFrame {
    const char *name;
    const char *frame; // the 9-byte feature report, report number first
    int outputs;
    int inputs;
};

// clang-format off
inline constexpr GoldenFrame GoldenFrames[] = {
    {"k 01 report rate", "00 01 02 00 00 00 00 00 fc", 0, 0},
    {"k 02 profile", "00 02 03 00 00 00 00 00 fa", 0, 0},
    {"k 03 options", "00 03 01 02 03 04 00 00 f2", 0, 0},
    {"k 04 sensitivity", "00 04 05 06 07 08 09 00 d8", 0, 0},
    {"k 07 indicator", "00 07 01 02 00 00 00 00 f5", 0, 0},
    {"k 08 led type", "00 08 01 02 03 04 05 06 e2", 0, 0},
    {"k 09 mode", "00 09 02 00 00 00 00 00 f4", 0, 0},
    {"k 0D key matrix", "00 0d 00 00 08 00 00 00 ea", 8, 0},
    {"k 0E key on/off", "00 0e 00 00 15 00 00 00 dc", 1, 0},
    {"k 11 macro", "00 11 00 05 03 00 00 00 e6", 3, 0},
    {"k 12 user picture", "00 12 00 02 08 01 00 00 e2", 8, 0},
    {"k 13 recovery", "00 13 ff 00 00 00 00 00 ed", 0, 0},
    {"k 14 colour", "00 14 00 03 10 20 30 00 88", 0, 0},
    {"k 80 version", "00 80 00 00 00 00 00 00 7f", 0, 0},
    {"k 81 report rate", "00 81 00 00 00 00 00 00 7e", 0, 0},
    {"k 82 profile", "00 82 00 00 00 00 00 00 7d", 0, 0},
    {"k 83 options", "00 83 00 00 00 00 00 00 7c", 0, 0},
    {"k 84 sensitivity", "00 84 00 00 00 00 00 00 7b", 0, 0},
    {"k 88 led type", "00 88 00 00 00 00 00 00 77", 0, 0},
    {"k 89 mode", "00 89 00 00 00 00 00 00 76", 0, 0},
    {"k 8D key matrix", "00 8d 00 00 00 00 00 00 72", 0, 8},
    {"k 8E key on/off", "00 8e 00 00 00 00 00 00 71", 0, 1},
    {"k 91 macro", "00 91 00 05 00 00 00 00 69", 0, 3},
    {"k 92 user picture", "00 92 00 02 00 00 00 00 6b", 0, 8},
    {"k 94 colour", "00 94 00 03 00 00 00 00 68", 0, 0},
    {"m 03 options", "00 03 03 01 40 08 00 00 b0", 0, 0},
    {"m 07 led instruct", "00 07 00 01 02 03 00 00 f2", 0, 0},
    {"m 0B dpi stage", "00 0b 04 00 00 00 00 00 f0", 0, 0},
    {"m 0D rgb effect", "00 0d 02 c8 05 00 00 00 23", 0, 0},
    {"m 10 colours type 2", "00 10 02 04 00 00 00 00 e9", 1, 0},
    {"m 10 colours type 1", "00 10 01 18 00 00 00 00 d6", 1, 0},
    {"m 11 dpi set", "00 11 06 08 00 00 00 00 e0", 1, 0},
    {"m 12 key matrix", "00 12 01 40 08 00 00 00 a4", 2, 0},
    {"m 13 macro", "00 13 07 80 00 00 00 00 65", 4, 0},
    {"m 83 options", "00 83 00 00 00 00 00 00 7c", 0, 0},
    {"m 87 led instruct", "00 87 00 00 00 00 00 00 78", 0, 0},
    {"m 8B dpi stage", "00 8b 00 00 00 00 00 00 74", 0, 0},
    {"m 8D rgb effect", "00 8d 00 00 00 00 00 00 72", 0, 0},
    {"m 90 colours", "00 90 01 00 00 00 00 00 6e", 0, 1},
    {"m 91 dpi set", "00 91 00 00 00 00 00 00 6e", 0, 1},
    {"m 92 key matrix", "00 92 01 00 00 00 00 00 6c", 0, 2},
    {"m 93 macro", "00 93 07 00 00 00 00 00 65", 0, 4},
};
// clang-format on

// The frame of that name; a name not in the table is a mistake in the test.
const GoldenFrame &goldenFrame(const char *name);
