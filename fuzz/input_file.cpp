#include "fuzz/input_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "fuzz/fuzz_target.h"

namespace fuzz {
namespace {

namespace fs = std::filesystem;

class Scratch {
public:
    Scratch() {
        std::random_device random;
        for (;;) {
            const fs::path candidate = fs::temp_directory_path() / ("stalkway-fuzz-" + std::to_string(random()));
            std::error_code error;
            if (fs::create_directory(candidate, error)) {
                path_ = candidate.string();
                return;
            }
            Check(!error, "the scratch folder can be made");
        }
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.Path();
}

std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Check(out.good(), "the input is written to its file");
    return path;
}

std::string ReadScratchFile(const std::string& name) {
    std::ifstream in(ScratchFolder() + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace fuzz
