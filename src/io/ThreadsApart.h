#pragma once

#include <memory>
#include <thread>

// Two threads that share one piece of work, kept on different processors while they do it.
//
// Some schedulers put a thread that has just started on the processor of the thread that started
// it, and leave the two there while they hand work to each other, when neither has been busy
// long enough to look worth a processor of its own: a virtual machine's scheduler that packs
// threads onto few processors so that the host can idle the others does. The conversion of a
// large file then ran its two threads in turns on one of two processors in most runs (31 to 41
// ms instead of 18 to 23). A thread that splits its work with a second one therefore asks for
// the two to be kept apart for the length of the work.

namespace corvalen {

class ThreadsApart {
public:
    // Keeps the calling thread on the processor it runs on now, where the process may use more
    // than one; nothing changes where it may use one, or where the system has no such request.
    ThreadsApart();
    // Gives the calling thread back every processor it could use before.
    ~ThreadsApart();
    ThreadsApart(const ThreadsApart&) = delete;
    ThreadsApart& operator=(const ThreadsApart&) = delete;

    // Keeps `second`, just started by the calling thread, off the calling thread's processor:
    // on every other processor the process may use.
    void Place(std::thread& second) const;

private:
    struct Processors;
    std::unique_ptr<Processors> m_before;  // the calling thread's processors, when changed
};

}  // namespace corvalen
