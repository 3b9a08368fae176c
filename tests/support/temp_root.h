#pragma once

#include <string>

namespace tavo::test {

// A private, empty TAVO_ROOT for one test (with TMPDIR and HOME inside it), removed again
// at the end. The previous environment comes back when it goes.
class TempRoot {
  public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    // The root folder, without trailing "/".
    const std::string& path() const { return path_; }
    // path() + relative ("a/b" gives "<root>/a/b").
    std::string At(const std::string& relative) const;

  private:
    std::string path_;
    std::string oldRoot_, oldTmp_, oldHome_;
    bool hadRoot_ = false, hadTmp_ = false, hadHome_ = false;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

// Resets the process-wide application info and log state to their start values.
void ResetFoundationState();

// The setup's identity and the maker's addresses as the error report and mails quote them.
void UseSetupIdentity();

}  // namespace tavo::test
