#include "batch/BatchWorkers.h"

#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <new>
#include <ostream>
#include <streambuf>
#include <vector>

#include "platform/AtomicFile.h"

namespace {

enum class Stream : char { Out = 1, Err = 2, Report = 3 };

struct Chunk {
    Stream To;
    std::string Text;
};

// A file's output in the order it was written: what goes to standard
// output and what to standard error, interleaved as they came.
class ChunkBuffer : public std::streambuf {
  public:
    ChunkBuffer(Stream to, std::vector<Chunk>& chunks) : to_(to), chunks_(chunks) {}

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char ch = traits_type::to_char_type(c);
            Append(&ch, 1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        Append(s, std::size_t(n));
        return n;
    }

  private:
    void Append(const char* s, std::size_t n) {
        if (chunks_.empty() || chunks_.back().To != to_) chunks_.push_back({to_, {}});
        chunks_.back().Text.append(s, n);
    }
    Stream to_;
    std::vector<Chunk>& chunks_;
};

// One file's record from a worker: its index, its result and its output.
struct FileRecord {
    int Index = -1;
    int Graphs = 0;
    int Skipped = 0;
    std::vector<Chunk> Chunks;
};

template <typename T>
void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string Encode(const FileRecord& record) {
    std::string out;
    Put(out, std::int32_t(record.Index));
    Put(out, std::int32_t(record.Graphs));
    Put(out, std::int32_t(record.Skipped));
    Put(out, std::uint32_t(record.Chunks.size()));
    for (const Chunk& c : record.Chunks) {
        Put(out, c.To);
        Put(out, std::uint64_t(c.Text.size()));
        out += c.Text;
    }
    return out;
}

// Takes a whole record from the front of `bytes`; false while it is not
// all there.
bool Decode(std::string& bytes, FileRecord& record) {
    std::size_t at = 0;
    auto get = [&](auto& value) {
        if (bytes.size() - at < sizeof value) return false;
        std::memcpy(&value, bytes.data() + at, sizeof value);
        at += sizeof value;
        return true;
    };
    std::int32_t index, graphs, skipped;
    std::uint32_t count;
    if (!get(index) || !get(graphs) || !get(skipped) || !get(count)) return false;
    std::vector<Chunk> chunks;
    for (std::uint32_t k = 0; k < count; ++k) {
        Stream to;
        std::uint64_t size;
        if (!get(to) || !get(size) || bytes.size() - at < size) return false;
        chunks.push_back({to, bytes.substr(at, std::size_t(size))});
        at += std::size_t(size);
    }
    record = {index, graphs, skipped, std::move(chunks)};
    bytes.erase(0, at);
    return true;
}

// The worker's side: draws files until none is left, a record for each.
[[noreturn]] void WorkAndExit(
    int fd, std::atomic<int>& next, const BatchOptions& options,
    const std::function<BatchResult(const BatchOptions&, const BatchStreams&)>& run) {
    std::vector<Chunk> chunks;
    ChunkBuffer outBuffer(Stream::Out, chunks), errBuffer(Stream::Err, chunks);
    std::ostream out(&outBuffer), err(&errBuffer);
    BatchOptions mine = options;
    mine.NextFile = [&] { return next.fetch_add(1); };
    mine.FileDone = [&](int index, int graphs, int skipped) {
        if (!WriteAll(fd, Encode({index, graphs, skipped, std::move(chunks)}))) ::_exit(1);
        chunks.clear();
    };
    if (options.FitReportRows)
        mine.FitReportRows = [&](const std::string& rows) {
            chunks.push_back({Stream::Report, rows});
        };
    run(mine, {out, err, mine.FitReportRows});
    // Whatever was written outside a file comes out at the end.
    if (!chunks.empty()) WriteAll(fd, Encode({-1, 0, 0, std::move(chunks)}));
    ::close(fd);
    // The parent's state (the application, open files) is the parent's
    // to end: no destructors run here.
    ::_exit(0);
}

}  // namespace

BatchResult RunBatchInWorkers(
    int workers, const BatchOptions& options, const BatchStreams& streams,
    const std::function<BatchResult(const BatchOptions&, const BatchStreams&)>& run,
    const std::function<void(int index)>& lost) {
    static_assert(std::atomic<int>::is_always_lock_free, "the counter is shared by processes");
    void* shared = ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) return run(options, streams);
    auto* next = new (shared) std::atomic<int>(0);
    // Nothing written before the fork may come out twice.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    struct Worker {
        pid_t Pid;
        int Fd;
        std::string Bytes;
    };
    std::vector<Worker> running;
    for (int k = 0; k < workers; ++k) {
        int fds[2];
        if (::pipe(fds) != 0) break;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            for (const Worker& w : running) ::close(w.Fd);
            WorkAndExit(fds[1], *next, options, run);
        }
        ::close(fds[1]);
        if (pid < 0) {
            ::close(fds[0]);
            break;
        }
        running.push_back({pid, fds[0], {}});
    }
    BatchResult result;
    if (running.empty()) {
        ::munmap(shared, sizeof(std::atomic<int>));
        return run(options, streams);
    }

    std::map<int, FileRecord> done;
    int nextOut = 0;
    auto replay = [&](const FileRecord& record) {
        for (const Chunk& c : record.Chunks) {
            if (c.To == Stream::Out) streams.Out << c.Text << std::flush;
            if (c.To == Stream::Err) streams.Err << c.Text << std::flush;
            if (c.To == Stream::Report && streams.FitReportRows) streams.FitReportRows(c.Text);
        }
        result.Graphs += record.Graphs;
        result.Skipped += record.Skipped;
    };
    auto writeInOrder = [&] {
        for (auto found = done.find(nextOut); found != done.end(); found = done.find(nextOut)) {
            replay(found->second);
            done.erase(found);
            ++nextOut;
        }
    };
    std::vector<FileRecord> outside;
    std::size_t open = running.size();
    while (open > 0) {
        std::vector<pollfd> polled;
        std::vector<Worker*> polledWorkers;
        for (Worker& w : running)
            if (w.Fd >= 0) {
                polled.push_back({w.Fd, POLLIN, 0});
                polledWorkers.push_back(&w);
            }
        if (::poll(polled.data(), polled.size(), -1) < 0 && errno != EINTR) break;
        for (std::size_t k = 0; k < polled.size(); ++k) {
            if (!(polled[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            Worker& w = *polledWorkers[k];
            char buffer[65536];
            const ssize_t n = ::read(w.Fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ::close(w.Fd);
                w.Fd = -1;
                --open;
                continue;
            }
            w.Bytes.append(buffer, std::size_t(n));
            FileRecord record;
            while (Decode(w.Bytes, record)) {
                if (record.Index < 0)
                    outside.push_back(std::move(record));
                else
                    done[record.Index] = std::move(record);
            }
        }
        writeInOrder();
    }
    for (Worker& w : running) {
        if (w.Fd >= 0) ::close(w.Fd);
        int status = 0;
        while (::waitpid(w.Pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    // A file a worker took but never finished (the worker was killed), or
    // that no worker was left to take, is not drawn.
    const int total = int(options.Files.size());
    for (; nextOut < total; ++nextOut) {
        const auto found = done.find(nextOut);
        if (found != done.end()) {
            replay(found->second);
        } else {
            lost(nextOut);
            ++result.Skipped;
        }
    }
    for (const FileRecord& record : outside) replay(record);
    ::munmap(shared, sizeof(std::atomic<int>));
    return result;
}
