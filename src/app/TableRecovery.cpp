#include "TableRecovery.h"

#include "DataCollection.h"
#include "TableBackup.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <filesystem>
#include <set>

namespace kyr {

namespace {

QString Words(const std::string &text, const char *english) {
    return text.empty() ? QString::fromUtf8(english) : QString::fromStdString(text);
}

class TRecovery {
public:
    TRecovery(TDataCollection &data, const TRecoveryDialogs &dialogs)
        : Data(data), Dialogs(dialogs),
          Directory(data.NameTable.Directory()), LeftOut(data.LeftOut()) {}

    void Run() {
        for (const std::string &table : BackupUserTables(Directory))
            Recover(table, TOpenFailure::Damaged, Directory + table + ".DAT");
        for (;;) {
            Data.SetLeftOut(LeftOut);
            try {
                Data.SetActive(true);
                return;
            } catch (const ETableOpenError &error) {
                const std::string table = std::filesystem::path(error.FileName()).stem().string();
                if (!IsUserTable(table) || std::ranges::find(LeftOut, table) != LeftOut.end())
                    throw;
                Recover(table, error.Failure(), error.FileName());
            }
        }
    }

private:
    QString Describe(TOpenFailure failure, const QString &file) const {
        switch (failure) {
        case TOpenFailure::Missing:
            return Words(Dialogs.GetText(1444), "The table file %1 is missing.").arg(file);
        case TOpenFailure::Damaged:
            return Words(Dialogs.GetText(1440), "The table %1 is damaged: the program cannot "
                                                 "read it.")
                .arg(file);
        case TOpenFailure::LeftoverJournal:
            return Words(Dialogs.GetText(1441),
                         "The table %1 was being written when the program stopped, and that "
                         "change cannot be undone because the file or its folder is read-only. "
                         "Make them writable and start the program again; nothing is lost.")
                .arg(file);
        case TOpenFailure::Foreign:
            return Words(Dialogs.GetText(1442), "The file %1 is not a table of this program.")
                .arg(file);
        case TOpenFailure::OtherLayout:
            return Words(Dialogs.GetText(1443), "The table %1 was written by another version "
                                                 "of this program, which this one cannot read.")
                .arg(file);
        }
        return file;
    }

    // Restores on request where that can help; otherwise the table stays closed.
    void Recover(const std::string &table, TOpenFailure failure, const std::string &fileName) {
        const QString what = Describe(failure, QString::fromStdString(fileName));
        // A journal in a read-only folder is no damage, and a file of another version may be
        // newer than any backup: neither is replaced.
        const bool restorable = failure != TOpenFailure::LeftoverJournal &&
                                failure != TOpenFailure::OtherLayout &&
                                !Restored.contains(table);
        const std::string backup = restorable ? NewestGoodBackup(Directory, table) : std::string();
        if (!backup.empty()) {
            const QString made = QLocale().toString(
                QFileInfo(QString::fromStdString(backup)).lastModified(), QLocale::ShortFormat);
            const QString question =
                Words(Dialogs.GetText(1445),
                      "A backup of this table from %1 is there. Restore it? The present file is "
                      "kept beside it, with \"damaged\" and the date in its name.")
                    .arg(made);
            if (Dialogs.Ask(what + "\n\n" + question)) {
                try {
                    const std::string kept = RestoreTable(Directory, table);
                    Restored.insert(table);
                    Dialogs.Tell(Words(Dialogs.GetText(1447), "The backup has been restored. "
                                                               "The previous file is kept as %1.")
                                     .arg(QString::fromStdString(kept)));
                    return;
                } catch (const EStoreError &error) {
                    Dialogs.Tell(Words(Dialogs.GetText(1448), "The backup could not be "
                                                               "restored: %1")
                                     .arg(QString::fromUtf8(error.what())));
                }
            }
            Dialogs.Tell(Words(Dialogs.GetText(1446), "The program goes on without this "
                                                       "table; its file stays as it is."));
        } else {
            Dialogs.Tell(what + "\n\n" +
                         Words(Dialogs.GetText(1446), "The program goes on without this "
                                                       "table; its file stays as it is."));
        }
        LeftOut.push_back(table);
    }

    TDataCollection &Data;
    const TRecoveryDialogs &Dialogs;
    const std::string Directory;
    std::vector<std::string> LeftOut;
    std::set<std::string> Restored;
};

} // namespace

void OpenTablesRecovering(TDataCollection &data, const TRecoveryDialogs &dialogs) {
    TRecovery(data, dialogs).Run();
}

} // namespace kyr
