#pragma once

#include <string>

#include <QString>

class QFileDialog;
class QWidget;

namespace tavo {

// The component library's save-file dialog: the platform's save dialog with the library's
// defaults, set when it is created. Forms may replace them; callers set the initial folder
// and the file name before each use.
class TMySaveDialog {
  public:
    struct Options {
        bool overwritePrompt = true;
        bool pathMustExist = true;
        bool resizable = true;
    };

    explicit TMySaveDialog(QWidget* owner = nullptr);

    // Filter in the library's form: "description|masks|description|masks", masks separated
    // by ";" ("Alle Dateien (*.*)|*.*").
    std::string Filter = "Alle Dateien (*.*)|*.*";
    std::string InitialDir;
    std::string FileName;
    std::string Title;
    std::string DefaultExt;  // without "."
    Options Opts;

    // Shows the dialog modally; true when the user chose a file, FileName then holds it.
    bool Execute();

    // The name filters of Qt's file dialog for a filter of the library's form.
    static QStringList QtNameFilters(const std::string& filter);

  private:
    void Prepare(QFileDialog& dialog) const;

    QWidget* owner_;
};

}  // namespace tavo
