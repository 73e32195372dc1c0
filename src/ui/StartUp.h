#pragma once

#include <QString>
#include <QStringList>

namespace ovgUi {

// What the command line asks for. Options are NAME=VALUE with the name compared without regard
// to case: FILES=..., REG=CLEAR_WORKSPACE, acc_ext=*; "--screenshot OUT.png" saves a picture of
// the window after loading and exits, without waiting for a user (messages go to standard error
// and make the exit status 1); a lone path of an existing file opens that file, and so do bare
// paths.
struct CommandLine {
    QStringList files;
    bool clearWorkspace = false;
    bool associateExtensions = false;
    QString screenshot;
    bool help = false;     // --help or -h: print the usage and exit
    bool version = false;  // --version: print the version and exit
    QString language;      // --language ja|en: the language from now on (empty: as stored)
    QString error;         // not empty: the line could not be understood
};

// What --help prints.
QString CommandLineUsage();

CommandLine ParseCommandLine(const QStringList& arguments);

// The per-user data folder: "Orvel/Orvel Graph" in the documents folder.
QString DataFolder();
// Makes the data folder; false when it cannot be made.
bool EnsureDataFolder(QString* path);


// Installs, for the current user, a desktop entry and a MIME type for the recording and graph
// document extensions. Returns an error text, empty on success.
QString AssociateExtensions();

}  // namespace ovgUi
