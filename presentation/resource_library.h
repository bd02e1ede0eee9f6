// A resource library: a Qt binary resource bundle ("rcc --binary") that keeps its historical file
// name ("ZunCards06A.dll", "ZunCVoice3.dll" and so on). It is looked for beside the program and
// then in the folder above, registered under a root of its own while the object lives, and
// released when it goes. Entries are found by name without regard to case or file extension.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <string>
#include <string_view>

namespace kesp {

class ResourceLibrary {
  public:
    // `programDir` ends with '/' (empty means the working folder).
    ResourceLibrary(const std::string& programDir, std::string_view fileName);
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    // The library's file: beside the program, else in the folder above, its name matched without
    // regard to case; empty when there is none.
    static QString FindFile(const std::string& programDir, std::string_view fileName);

    bool Found() const { return !path_.isEmpty(); }
    // The library file that was registered, empty when none was found.
    QString Path() const { return path_; }
    // An entry by name: its picture, or its bytes; null or empty when the library lacks it.
    QImage LoadImage(std::string_view name) const;
    QByteArray LoadBytes(std::string_view name) const;

  private:
    QString EntryPath(std::string_view name) const;

    QString path_;
    QString root_;
    QHash<QString, QString> index_;
};

}  // namespace kesp
