#include "editor/EditorLayoutFile.h"

#include "app/Debug.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"

std::string EditorLayoutFile::Read()
{
    File file;
    if (!file.OpenDisk(kName, "rb")) {
        return {};
    }
    int length = file.Length();
    if (length < 0 || length > kMaxBytes) {
        Debug::Instance().Warning("EditorLayoutFile::Read: <%s> is not a window layout, ignored\n", kName);
        return {};
    }
    std::string text(static_cast<size_t>(length), '\0');
    text.resize(static_cast<size_t>(std::max(file.Read(text.data(), length), 0)));
    return text;
}

bool EditorLayoutFile::Write(const std::string& layout)
{
    return ReplacingFileWriter(kName, "EditorLayoutFile::Write", ReplacingFileWriter::Kind::Cache).Write(layout);
}
