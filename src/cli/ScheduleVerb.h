#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace corvalen {

// corvalen-cli schedule [--at HHMM|HHMM-HHMM] [--day Mo..Su] [--language L[,L...]]
//   [--target T[,T...]] [--station TEXT] [--band FROM-TO] [--date YYYY-MM-DD]
//   [--model MODEL] [--to FORMAT] SKED.csv OUTPUT
// Picks the broadcasts of an EiBi schedule that pass every filter given and writes one channel
// per frequency and station to OUTPUT, in any form convert writes. Exit status 0 when nothing
// was reported, 1 when something was (or a file could not be read or written), 2 for wrong
// arguments, with nothing written.
int RunSchedule(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// The schedule command's usage text, ending in a line feed.
std::string_view ScheduleUsage();

}  // namespace corvalen
