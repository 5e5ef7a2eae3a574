#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace corvalen {

// Runs `on-air --at HHMM|HHMM-HHMM [--day Mo..Su] [--model MODEL] [--numbering N] LIST` (the
// arguments after "on-air"): reads a channel file of any format the door reads and prints on
// `out` one line per channel whose Comments hold a schedule summary (ScheduleSummary.h) that is
// on air then, in the file's order: "NUMBER FREQUENCY kHz CALLSIGN: SUMMARY". Without --day any
// weekday counts. What reading the file reported and a count go to `err`. Exit status 0 (also
// when no channel is on air), 1 for a file that could not be read, 2 for wrong arguments.
int RunOnAir(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The usage of `on-air`, ending in a line feed.
std::string_view OnAirUsage();

}  // namespace corvalen
