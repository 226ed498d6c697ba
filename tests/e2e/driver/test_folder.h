// A throwaway folder under the build tree, fresh for every test, removed when the test passes.
#pragma once

#include <string>

namespace e2e {

class TestFolder {
public:
    // name becomes the folder's name (characters a path cannot hold are replaced);
    // whatever an earlier run left there is removed first.
    explicit TestFolder(const std::string& name);
    ~TestFolder();

    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    bool Valid() const { return valid_; }
    // DOS path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const;

    // Writes bytes to a file inside the folder, creating the folders on its way.
    bool Write(const std::string& relative, const std::string& bytes) const;
    bool MakeFolder(const std::string& relative) const;
    bool CopyIn(const std::string& source, const std::string& relative) const;
    std::string Read(const std::string& relative, bool* exists = nullptr) const;
    bool Exists(const std::string& relative) const;

    // Keeps the folder after the test (set when a test fails, to look at what it left).
    void Keep() { keep_ = true; }

private:
    std::string path_;
    bool valid_ = false;
    bool keep_ = false;
};

// Removes a file or a folder with everything in it; true when nothing is left.
bool RemoveTree(const std::string& path);

}  // namespace e2e
