#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "App/PrmScaleExpr.h"

class QSaveFile;

namespace ovgApp {

// The application parameter file "OrvelGraph.prm": the user's list of scale conversion
// expressions as UTF-8 XML,
//   <scale_expr_info version="0.10">
//     <prm_scale_expr> name, unit, scale_expr (scientific_notation, significant_figures),
//       intput_expr_mode, input_slope, input_intercept, input_x1, input_y1, input_x2, input_y2,
//       deletable, editable </prm_scale_expr> ...
//     <update_info> the update server, read by the update check </update_info>
//   </scale_expr_info>
// The element "intput_expr_mode" is spelled so in every file in use; it is read and written
// exactly so. The application writes the plain form; a file in the keyed form (PrmKeyedDecoder)
// is decoded on reading with the two keys held by the program.
// Called from the user-interface thread (start-up, the setup dialog, exit).
class PrmFile {
public:
    using ScaleExprList = std::vector<std::shared_ptr<PrmScaleExpr>>;

    enum Code : int {
        kOk = 0,
        kMissing = -1,     // no file at the path
        kReadFailed = -2,  // the file exists but cannot be read (a folder, no permission)
        // The keyed decoder refused the content; its codes -1, -2, -3, -4 and -9 (or any other)
        // become -11, -12, -13, -14 and -15.
        kDecodeNotKeyed = -11,
        kDecodeUnknownVersion = -12,
        kDecodeLengthMismatch = -13,
        kDecodeCheckFailed = -14,
        kDecodeOther = -15,
        kNotXml = -21,       // plain or decoded content that is not well-formed XML
        kWriteFailed = -31,  // the folder, the temporary file, the write or the rename failed
    };

    enum class Form { Plain, Keyed };

    // The file name in both folders.
    static QString FileName();
    // The user's file: FileName() in QStandardPaths' writable AppDataLocation.
    static QString UserPath();
    // The shared file: FileName() in the first read-only AppDataLocation folder that holds it, else
    // beside the executable if it is there, else where the first read-only folder (or, with none,
    // the executable's folder) would hold it.
    static QString SharedPath();

    // Replaces list with the expressions of the file, in file order, each with its coefficients
    // computed from its entered texts (an entry whose texts do not compute keeps slope 1 and
    // intercept 0). Returns kOk or a Code; on failure the list is empty.
    static int Load(const QString& path, ScaleExprList& list);
    // The same for the bytes of a file.
    static int Read(QByteArrayView bytes, ScaleExprList& list);
    // The XML text of a file's bytes: plain when, after an optional UTF-8 byte order mark and any
    // blanks, tabs and line breaks, the content starts with '<' (so "<?xml " and declaration-less
    // XML are both read unchanged); anything else is decoded as the keyed form. Returns kOk or a
    // decoder Code (-11 to -15).
    static int ToPlainXml(QByteArrayView bytes, QByteArray& xml);

    // Writes the list atomically: a temporary file beside the target, renamed over it only when
    // complete; on failure the previous file is left as it was. Creates the folder if needed.
    // Returns kOk or kWriteFailed. The application saves the plain form; the keyed form is for
    // preparing a shared file. An update_info element (the update server's settings) of the file
    // being replaced is carried over into the new one.
    static int Save(const QString& path, const ScaleExprList& list, Form form = Form::Plain);
    // The same through a save file not yet opened (tests hand in one whose writes fail).
    static int Save(QSaveFile& file, const ScaleExprList& list, Form form = Form::Plain);
    // The plain document, version "0.10", UTF-8 with an XML declaration. The applied flag is
    // not written.
    static QByteArray ToXml(const ScaleExprList& list);

    // Start-up: list := the user's file; then each expression of the shared file, if that file
    // exists, whose name is not in the list yet is appended, so presets distributed beside the
    // program appear once and the user's own entries win. A missing user file is the first start
    // and not reported; every other failure calls report(path, code) and leaves that file's
    // expressions out.
    static void LoadAtStartUp(const QString& userPath, const QString& sharedPath, ScaleExprList& list,
                              const std::function<void(const QString& path, int code)>& report);

    // The message shown for a failed load or save, naming the file and the code.
    static QString ErrorMessage(const QString& path, int code);
};

}  // namespace ovgApp
