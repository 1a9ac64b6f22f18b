// Test helpers for the file-system tests: a private temporary folder and a working-directory
// switch.
#pragma once

#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder; removed with its contents at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Writes the bytes to a file below the folder, making its folders as needed.
    void Write(std::string_view name, std::string_view bytes) const;

private:
    std::string path_;
};

// The whole file, or "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);

// Makes a folder the working directory for as long as it lives.
class WorkingDir {
public:
    explicit WorkingDir(const std::string& path);
    ~WorkingDir();
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

private:
    std::string previous_;
};
