#include "core/platform/WorkerThread.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Jobs run one after another on one thread of the worker's own; a job that throws hands that to the one
// who waits for it, once, and the worker goes on with the next job.
TEST(WorkerThread, RunsJobsOnOneThreadAndHandsOnWhatOneThrows)
{
    const struct
    {
        const char* row;
        int throwingJob; // -1: none
    } cases[] = {{"none throws", -1}, {"the first throws", 0}, {"a middle one throws", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        WorkerThread worker;
        std::vector<std::thread::id> ranOn;
        for (int job = 0; job < 4; ++job) {
            ASSERT_TRUE(worker.start([&ranOn, &c, job] {
                ranOn.push_back(std::this_thread::get_id());
                if (job == c.throwingJob)
                    throw std::runtime_error("job failed");
            }));
            bool threw = false;
            try {
                worker.wait();
            } catch (const std::runtime_error&) {
                threw = true;
            }
            EXPECT_EQ(threw, job == c.throwingJob) << job;
            EXPECT_NO_THROW(worker.wait()); // heard once only
        }
        ASSERT_EQ(ranOn.size(), 4U);
        for (const std::thread::id& id : ranOn) {
            EXPECT_EQ(id, ranOn.front());
            EXPECT_NE(id, std::this_thread::get_id());
        }
    }
}

// The worker's end waits for the job under way, whether or not anybody waited for it.
TEST(WorkerThread, EndsOnlyOnceTheRunningJobHasReturned)
{
    std::atomic<bool> returned{false};
    std::optional<WorkerThread> worker(std::in_place);
    ASSERT_TRUE(worker->start([&returned] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        returned = true;
    }));
    worker.reset();
    EXPECT_TRUE(returned.load());
}

} // namespace
