#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// The three sections of the report, emitted in the order their start markers appear in the
// template.
enum class ReportSection : std::uint8_t
{
    Rules,
    General,
    Detector
};

// The numbered pieces of a report template. Each block lies between a start and an end marker,
// HTML comments on lines of their own:
//
//   1 <!--SS-->  <!--SE-->   rule header: $SID$
//   2 <!--AHS--> <!--AHE-->  action header: $DESC$, <!--IMG-->
//   3 <!--TTS--> <!--TTE-->  time table header
//   4 <!--ASS--> <!--ASE-->  time table row: <!--L--> <!--M--> <!--X--> <!--J--> <!--V-->
//                            <!--S--> <!--D--> for Monday to Sunday
//   5 <!--ABS--> <!--ABE-->  action footer
//   6 <!--CGS--> <!--CGE-->  general settings: $PATIME$ $PAFPS$ $ATIME$ $AFPS$
//   7 <!--IHS--> <!--IHE-->  detector header: $BASECODE$
//   8 <!--IS-->  <!--IE-->   detector input row: $SEN$ $ACTV$ $MSK$
//
// Gap 0 is the text before the first block, gap k the text after block k's end marker up to the
// next start marker. A start marker's line belongs to its block, an end marker's line to the
// gap after it.
struct ReportTemplate
{
    static constexpr int BlockCount = 8;
    static constexpr std::size_t MaxSections = 3;

    // Index 1..8; entry 0 stays empty.
    std::array<std::string, BlockCount + 1> Blocks;
    // Index 0..8.
    std::array<std::string, BlockCount + 1> Gaps;
    // At most three entries; further section markers are ignored.
    std::vector<ReportSection> Sections;
};

// Splits template bytes into blocks and gaps. Lines end at LF (CR LF in the shipped templates)
// and keep their line ends. A marker is recognised in the first ten characters of a line after
// leading blanks, so text may follow it on the same line. Never fails: text without markers is
// all gap 0.
ReportTemplate ReadReportTemplate(std::string_view bytes);

} // namespace kor
