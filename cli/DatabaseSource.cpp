#include "cli/DatabaseSource.h"

#include "chdb/BackupFile.h"
#include "util/AtomicFile.h"

std::optional<ChannelDatabase> LoadDatabaseSource(const std::filesystem::path& source,
                                                  MessageService& messages)
{
    std::error_code ec;
    if (std::filesystem::is_directory(source, ec)) {
        ChannelDatabase db;
        if (!db.LoadFromFolder(source)) {
            ShowMessage(messages, MsgId::FileReadError);
            return std::nullopt;
        }
        return db;
    }
    return ReadBackup(source, messages);
}

bool IsBackupPath(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension == ".ech";
}

bool SaveDatabaseFiles(const ChannelDatabase& db, const std::filesystem::path& folder,
                       MessageService& messages)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (auto file : {ChannelDatabase::kChData, ChannelDatabase::kChIdx, ChannelDatabase::kMenuData}) {
        const auto image = db.image(file);
        const std::filesystem::path path = folder / ChannelDatabase::FileName(file);
        const AtomicWriteResult result = WriteFileAtomically(path, image.data(), image.size());
        if (result != AtomicWriteResult::Ok) {
            ShowMessage(messages, result == AtomicWriteResult::OpenFailed ? MsgId::FileOpenError
                                                                          : MsgId::FileWriteError,
                        path.string());
            return false;
        }
    }
    return true;
}
