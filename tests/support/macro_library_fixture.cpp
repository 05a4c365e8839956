#include "tests/support/macro_library_fixture.h"

#include "macro/file/macro_file.h"
#include "macro/file/text_field.h"

namespace {

class FailingWritableFile : public WritableFile {
  public:
    explicit FailingWritableFile(std::unique_ptr<WritableFile> file) : file_(std::move(file)) {}
    // Half of the bytes reach the disk before the failure, as on a full disk.
    bool Write(const char* data, std::size_t size) override {
        file_->Write(data, size / 2);
        return false;
    }
    bool Flush() override { return file_->Flush(); }
    bool Close() override { return file_->Close(); }

  private:
    std::unique_ptr<WritableFile> file_;
};

}  // namespace

std::string ScratchFileSystem::RealPath(const std::string& path) const {
    if (path.rfind("C:\\", 0) != 0) return path;
    return dir_.Path(path.substr(3));
}

std::unique_ptr<ReadableFile> ScratchFileSystem::OpenForReading(const std::string& path) {
    opened.push_back(path);
    return RealFileSystem().OpenForReading(RealPath(path));
}

std::unique_ptr<ReadableFile> ScratchFileSystem::OpenOrCreateForReading(const std::string& path) {
    opened.push_back(path);
    return RealFileSystem().OpenOrCreateForReading(RealPath(path));
}

std::unique_ptr<WritableFile> ScratchFileSystem::CreateForWriting(const std::string& path) {
    std::unique_ptr<WritableFile> file = RealFileSystem().CreateForWriting(RealPath(path));
    if (file && failWrites) return std::make_unique<FailingWritableFile>(std::move(file));
    return file;
}

bool ScratchFileSystem::Replace(const std::string& source, const std::string& target) {
    return RealFileSystem().Replace(RealPath(source), RealPath(target));
}

bool ScratchFileSystem::Remove(const std::string& path) {
    return RealFileSystem().Remove(RealPath(path));
}

std::string MacroLibraryTest::WriteFile(const std::string& name, const std::string& bytes) {
    dir.Write(name, bytes);
    return "C:\\" + name;
}

std::string MacroLibraryTest::ReadFile(const std::string& path) const {
    return ReadWholeFile(files.RealPath(path));
}

std::string MacroLibraryTest::WriteMacro(const std::string& file, const std::string& name,
                                         Trigger trigger) {
    Macro macro{};
    CopyText(macro.name, name);
    CopyText(macro.fileName, "C:\\" + file);
    macro.trigger = trigger;
    macro.active = 1;
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 1;
    return WriteFile(file, FormatMacroFile("", macro));
}

std::string MacroLibraryTest::WriteList(const std::string& file,
                                        const std::vector<std::string>& lines,
                                        const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + lineEnd;
    return WriteFile(file, bytes);
}

void MacroLibraryTest::Populate(int count) {
    for (int i = 0; i < count; ++i) {
        std::string index = std::to_string(i);
        ASSERT_TRUE(ImportMacro(library, WriteMacro("m" + index + ".mro", "M" + index)));
    }
}

std::vector<std::string> MacroLibraryTest::Names() const {
    std::vector<std::string> names;
    for (const Macro& macro : table.InUse())
        names.emplace_back(FieldText(macro.name));
    return names;
}

std::vector<int> MacroLibraryTest::Ids() const {
    std::vector<int> ids;
    for (const Macro& macro : table.InUse())
        ids.push_back(macro.id);
    return ids;
}

std::vector<std::string> MacroLibraryTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const FakeDesktop::Box& box : desktop.boxes)
        texts.push_back(box.text);
    return texts;
}
