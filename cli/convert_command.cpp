#include "cli/convert_command.h"

#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/c_source.h"
#include "cli/progress_bar.h"
#include "convert/convert_job.h"
#include "convert/fit_request.h"
#include "layout/chip_header.h"
#include "layout/command_text.h"
#include "output/file_writer.h"
#include "render/font_families.h"
#include "render/glyph_fit.h"

namespace runemill::cli {

namespace {

// Fills *error; returns its exit status.
int FailWith(CliError* error, int status, const QString& option, const QString& problem) {
    Fail(error, status, option, problem);
    return status;
}

// The option a refusal of the job is about.
QString OptionOf(const Refusal& refusal, ConvertKind kind) {
    switch (refusal.kind) {
        case Refusal::StartCodeShort:
        case Refusal::StartCodeTooLow:
            return QStringLiteral("--from");
        case Refusal::EndCodeShort:
        case Refusal::EndCodeTooHigh:
        case Refusal::StartAfterEnd:
            return QStringLiteral("--to");
        case Refusal::MissingCodec:
            return KindName(kind);
        case Refusal::NotCompressible:
            return QStringLiteral("--compress");
        default:
            return QStringLiteral("--width/--height");
    }
}

// The family a run draws with: the installed one asked for, or the family
// of the chosen face of the font file, which is loaded for this run. A file
// Qt cannot draw from whole (a FIFO, a file cut short) is refused first.
int ResolveFont(ConvertRequest* request, CliError* error) {
    if (request->fontFile.isEmpty()) {
        if (FamilyInstalled(request->family)) return kExitDone;
        return FailWith(
            error, kExitBadInput, QStringLiteral("--font"),
            QStringLiteral("no installed font family is named '%1'").arg(request->family));
    }
    const QString option = QStringLiteral("--font-file");
    bool faceProblem = false;
    const QString problem =
        LoadFontFile(request->fontFile, request->face, &request->family, &faceProblem);
    if (!problem.isEmpty()) {
        return FailWith(error, kExitBadInput, faceProblem ? QStringLiteral("--face") : option,
                        problem);
    }
    return kExitDone;
}

// --fallback-font FILE or FILE:N (face N of FILE, unless a file is named so).
struct FallbackFont {
    QString path;
    int face = 0;
};

QVector<FallbackFont> FallbackFonts(const QStringList& given) {
    QVector<FallbackFont> fonts;
    for (const QString& text : given) {
        FallbackFont font{text, 0};
        const int colon = text.lastIndexOf(QLatin1Char(':'));
        bool numbered = false;
        const int number = colon > 0 ? text.mid(colon + 1).toInt(&numbered) : 0;
        if (numbered && number >= 0 && !QFileInfo::exists(text)) font = {text.left(colon), number};
        fonts << font;
    }
    return fonts;
}

// The fallback fonts, loaded in the order given.
int ResolveFallbacks(const QStringList& given, ConvertRequest* request, CliError* error) {
    const QString option = QStringLiteral("--fallback-font");
    const QVector<FallbackFont> fonts = FallbackFonts(given);
    for (int i = 0; i < fonts.size(); ++i) {
        if (!QFileInfo::exists(fonts[i].path))
            return FailWith(error, kExitBadInput, option,
                            QStringLiteral("no such file: ") + given[i]);
        QString family;
        const QString problem = LoadFontFile(fonts[i].path, fonts[i].face, &family);
        if (!problem.isEmpty()) return FailWith(error, kExitBadInput, option, problem);
        request->fallbackFamilies << family;
    }
    return kExitDone;
}

// An output (for C source, the header too) that is one of the run's input
// files, by identity: a hard link or another spelling of the path counts.
int RefuseOverwritingInputs(const ConvertOptions& o, CliError* error) {
    QVector<QPair<QString, QString>> inputs;  // the file, what it is
    if (!o.textFile.isEmpty()) inputs.append({o.textFile, QStringLiteral("--text file")});
    if (!o.request.fontFile.isEmpty())
        inputs.append({o.request.fontFile, QStringLiteral("--font-file")});
    for (const FallbackFont& font : FallbackFonts(o.fallbackFonts))
        inputs.append({font.path, QStringLiteral("--fallback-font")});
    QStringList outputs{o.output};
    if (o.target == OutputTarget::Bin && !o.symbol.isEmpty()) outputs << CHeaderPath(o.output);
    for (const QString& output : outputs) {
        for (const auto& input : inputs) {
            if (SameFile(output, input.first)) {
                return FailWith(error, kExitBadInput, QStringLiteral("--output"),
                                OverwritesInputText(output, input.second));
            }
        }
    }
    return kExitDone;
}

// A header is appended only to a file of whole headers (or a new, empty or
// special file): anything else, a font above all, would no longer open.
int RefuseAppendingToOtherFiles(const ConvertOptions& o, CliError* error) {
    if (o.appendAnyway) return kExitDone;
    const QString problem = AppendHeaderProblem(o.output);
    if (problem.isEmpty()) return kExitDone;
    return FailWith(error, kExitBadInput, QStringLiteral("--output"),
                    problem + QStringLiteral("; give --append-anyway to append all the same"));
}

// The text of the string kind, read as the window reads it: UTF-8, line
// breaks dropped, inner runs of blanks made one space.
int ReadText(const QString& path, QString* text, CliError* error) {
    const QString option = QStringLiteral("--text");
    if (!QFileInfo(path).isFile())
        return FailWith(error, kExitBadInput, option, QStringLiteral("no such file: ") + path);
    QByteArray bytes;
    QString problem;
    if (!ReadCommandBytes(path, &bytes, &problem))
        return FailWith(error, kExitBadInput, option, problem);
    const qint64 bad = FirstInvalidUtf8Byte(bytes);
    if (bad >= 0) return FailWith(error, kExitBadInput, option, NotUtf8Message(path, bad));
    *text = ReadCommandText(bytes);
    return kExitDone;
}

// The two 108-byte headers, appended to the output as the window does.
int AppendHeader(const ConvertOptions& o, const ConvertJob& job, CliError* error) {
    const QByteArray& header = job.header();
    const WriteResult appended = AppendToFile(o.output, header.constData(), header.size());
    if (!appended.ok) {
        return FailWith(error, kExitIoFailure, QStringLiteral("--output"),
                        QStringLiteral("only %1 of %2 bytes could be appended to %3 (%4); the file "
                                       "was put back as it was")
                            .arg(appended.written)
                            .arg(header.size())
                            .arg(o.output, appended.error));
    }
    PrintLines(job.StartLines(), LogStream(o.output));
    return kExitDone;
}

// Draws the whole file and puts it in place, as a .bin or as C source.
int WriteFont(const ConvertOptions& o, const ConvertJob& job, CliError* error) {
    QVector<int> widths;
    Refusal refusal;
    QByteArray file;
    {
        ProgressBar bar(!o.quiet, job.plan().slotCount());
        file = job.Run(
            o.jobs, [&bar](qint64 done) { bar.Update(done); }, &widths, &refusal);
    }
    if (refusal)
        return FailWith(error, kExitBadInput, OptionOf(refusal, o.request.kind), refusal.text);
    if (o.target != OutputTarget::Bin) {
        QString problem;
        file = TargetFileBytes(o.target, job, file, o.symbol, &problem);
        if (!problem.isEmpty())
            return FailWith(error, kExitBadInput, QStringLiteral("--for"), problem);
    } else {
        file = job.FileBytes(file, &refusal);
        if (refusal)
            return FailWith(error, kExitBadInput, OptionOf(refusal, o.request.kind), refusal.text);
    }
    if (o.target == OutputTarget::Bin && !o.symbol.isEmpty()) {
        const QString problem = WriteCSource(o.output, o.symbol, file);
        if (!problem.isEmpty())
            return FailWith(error, kExitIoFailure, QStringLiteral("--output"), problem);
        std::fprintf(stderr, "%s\n", CSourceNamesLine(o.output, o.symbol).toUtf8().constData());
    } else {
        // The old file stays until the new one is complete on disk.
        const WriteResult written = ReplaceFile(o.output, file.constData(), file.size());
        if (!written.ok) {
            return FailWith(error, kExitIoFailure, QStringLiteral("--output"),
                            QStringLiteral("cannot write %1: %2").arg(o.output, written.error));
        }
        if (!o.symbol.isEmpty())
            std::fprintf(stderr, "%s\n", TargetNameLine(o.output, o.symbol).toUtf8().constData());
    }
    PrintLines(job.FinalLines(widths), LogStream(o.output));
    return kExitDone;
}

// --fit: the size and offsets found replace the request's; one line on stderr.
// A bar on a terminal follows the sizes tried.
int Fit(ConvertRequest* request, bool quiet, CliError* error) {
    FitResult fit;
    std::unique_ptr<ProgressBar> bar;
    const Refusal refusal = FitRequest(*request, &fit, [&bar, quiet](int step, int steps) {
        if (!bar) bar = std::make_unique<ProgressBar>(!quiet, steps, "sizes");
        bar->Update(step);
    });
    bar.reset();
    if (refusal)
        return FailWith(error, kExitBadInput, OptionOf(refusal, request->kind), refusal.text);
    if (!fit.found())
        return FailWith(error, kExitBadInput, QStringLiteral("--fit"), FitSummary(fit));
    ApplyFit(fit, request);
    std::fprintf(stderr, "fit: %s\n", FitSummary(fit).toUtf8().constData());
    return kExitDone;
}

}  // namespace

int RunConvert(ConvertOptions o, CliError* error) {
    if (const int status = RefuseOverwritingInputs(o, error)) return status;
    if (IsHeaderKind(o.request.kind)) {
        if (const int status = RefuseAppendingToOtherFiles(o, error)) return status;
    }
    if (const int status = ResolveFont(&o.request, error)) return status;
    if (const int status = ResolveFallbacks(o.fallbackFonts, &o.request, error)) return status;
    if (o.request.kind == ConvertKind::String) {
        if (const int status = ReadText(o.textFile, &o.request.text, error)) return status;
    }
    if (o.fit) {
        if (const int status = Fit(&o.request, o.quiet, error)) return status;
    } else if (!o.request.fontFile.isEmpty()) {
        // A pixel font is drawn at its own sizes only: another would draw a strike not asked for.
        const QString missing = MissingStrike(o.request.Font(), o.request.fontFile);
        if (!missing.isEmpty()) {
            return FailWith(error, kExitBadInput, QStringLiteral("--point-size"),
                            missing + QStringLiteral("; give one of them or --fit"));
        }
    }
    ConvertJob job(o.request);
    if (const Refusal refusal = job.Prepare())
        return FailWith(error, kExitBadInput, OptionOf(refusal, o.request.kind), refusal.text);
    if (!job.HasOutput()) {
        return FailWith(error, kExitBadInput, QStringLiteral("--text"),
                        o.textFile + QStringLiteral(" holds no characters; nothing was written"));
    }
    return IsHeaderKind(o.request.kind) ? AppendHeader(o, job, error) : WriteFont(o, job, error);
}

}  // namespace runemill::cli
