#include "convert/convert_job.h"

#include <QTextCodec>
#include <new>

#include "compress/font_compressor.h"
#include "convert/parallel_render.h"
#include "layout/gbk_width_list.h"
#include "messages/run_log.h"
#include "render/codes.h"

namespace runemill {

Refusal ConvertJob::CodecRefusal(ConvertKind kind) {
    if (IsHeaderKind(kind))  // the headers store their texts in GBK
        return QTextCodec::codecForName("gbk") ? Refusal() : Refusal::NoCodec("gbk");
    const KindDescription& description = DescriptionOf(kind);
    const int encoding = description.encoding;
    if (description.rows == nullptr || CodecFor(encoding)) return Refusal();  // a two-byte library
    return Refusal::NoCodec(CodecName(encoding));
}

Refusal ConvertJob::Prepare() {
    plan_ = FontPlan();
    header_.clear();
    const ConvertKind kind = request_.kind;
    if (IsHeaderKind(kind)) {
        if (Refusal refusal = CodecRefusal(kind)) return refusal;
        const ChipHeaderFields fields = request_.HeaderFields();
        header_ = ChipFontHeader(fields, kind);
        return Refusal();
    }
    Refusal refusal;
    plan_ = DescriptionOf(kind).glyphs.codeTable
                ? FontPlan::ForString(request_.cell, request_.text, &refusal)
                : FontPlan::ForLibrary(kind, request_.cell, request_.startCode, request_.endCode,
                                       &refusal);
    if (refusal) return refusal;
    return CodecRefusal(kind);
}

QStringList ConvertJob::StartLines() const {
    const int start = request_.startCode;
    const int end = request_.endCode;
    switch (DescriptionOf(request_.kind).log) {
        case StartLog::Page:
            return {PageLine(start, end)};
        case StartLog::MaxPage:
            return {MaxPageLine(start, end)};
        case StartLog::UnicodeRange:
            return UnicodeLines(start, end);
        case StartLog::ChipHeader:
        case StartLog::TtfHeader: {
            const ChipHeaderFields fields = request_.HeaderFields();
            return ChipHeaderLines(header_, fields.pointSize, fields.x0, fields.y0, fields.family,
                                   DescriptionOf(request_.kind).log == StartLog::TtfHeader);
        }
        case StartLog::None:
            break;
    }
    return {};
}

QStringList ConvertJob::FinalLines(const QVector<int>& widths) const {
    // The width list, a C initialiser, replaces the whole log.
    const RowLayout* rows = DescriptionOf(request_.kind).rows;
    if (!rows || !rows->listsWidths) return StartLines();
    GbkWidthList list;
    for (int i = 0; i < plan_.slotCount() && i < widths.size(); ++i)
        list.AddIfListed(plan_, plan_.slot(i), widths.at(i));
    return list.Text().split(QStringLiteral("\r\n"));
}

QString ConvertJob::CompletionText() const {
    return QLatin1String(DescriptionOf(request_.kind).completion);
}

QByteArray ConvertJob::Run(int threads, const Progress& progress, QVector<int>* widths,
                           Refusal* refusal) const {
    *refusal = Refusal();
    const qint64 size = plan_.fileSize();
    QByteArray file;
    try {
        file.resize(int(size));  // below 2^31, as the plan has checked
    } catch (const std::bad_alloc&) {
        *refusal = Refusal::NoMemoryForFile(size);
        return QByteArray();
    }
    uchar* out = reinterpret_cast<uchar*>(file.data());
    plan_.WriteFixedBytes(out);
    bool drawn = false;
    try {
        drawn = RenderPlanSlots(plan_, request_, ThreadsForRun(threads, plan_.slotCount()), out,
                                progress, widths);
    } catch (const std::bad_alloc&) {
        *refusal = Refusal::NoMemoryForFile(size);
        return QByteArray();
    }
    if (!drawn) {
        *refusal = Refusal::NoMemoryForCell(request_.cell.width, request_.cell.height);
        return QByteArray();
    }
    return file;
}

QByteArray ConvertJob::FileBytes(const QByteArray& plain, Refusal* refusal) const {
    *refusal = Refusal();
    if (!request_.compress) return plain;
    QString problem;
    QByteArray compressed;
    try {
        compressed = CompressFont(plain, plan_, &problem);
    } catch (const std::bad_alloc&) {
        *refusal = Refusal::NoMemoryForFile(plain.size());
        return QByteArray();
    }
    if (compressed.isEmpty()) *refusal = Refusal::CannotCompress(problem);
    return compressed;
}

}  // namespace runemill
