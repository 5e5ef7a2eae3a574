#include "io/ThreadsApart.h"

namespace corvalen {

// Windows spreads threads that are ready to run over idle processors (each thread has a
// processor it prefers, handed out in turn), so two threads are left where it puts them.
struct ThreadsApart::Processors {};
ThreadsApart::ThreadsApart() = default;
ThreadsApart::~ThreadsApart() = default;
void ThreadsApart::Place(std::thread&) const {}

}  // namespace corvalen
