#pragma once

#include <string>
#include <vector>

// The files opened last, the newest first, each once: what the file menu
// offers again, and what is kept from one run to the next.
class RecentFiles {
  public:
    static constexpr std::size_t kMax = 5;

    const std::vector<std::string>& Items() const { return items_; }
    // Puts a file first, taking it out of where it stood.
    void Add(const std::string& path);
    // The list as it was kept; empty names and repeats left out.
    void Restore(const std::vector<std::string>& paths);

  private:
    std::vector<std::string> items_;
};
