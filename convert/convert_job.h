// A request turned into a file: the plan (or the 108-byte header), the codec
// check, the typed refusals, the log lines and the completion text. The
// window runs the plan glyph by glyph with its own hooks; runemill-cli runs
// it on threads with Run. Both draw every glyph through DrawGlyph.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QVector>
#include <functional>

#include "convert/convert_request.h"
#include "layout/font_plan.h"
#include "messages/refusal.h"

namespace runemill {

class ConvertJob {
  public:
    explicit ConvertJob(const ConvertRequest& request) : request_(request) {}

    // The codec a kind needs ("GB2312", "BIG5", "GBK"; "gbk" for the two
    // headers' texts), refused when Qt has none.
    static Refusal CodecRefusal(ConvertKind kind);

    // Lays the file out: range, cell and size first, then the codec, the
    // window's order. A string request without characters is not refused
    // but gives an invalid plan: there is nothing to write.
    Refusal Prepare();

    const ConvertRequest& request() const { return request_; }
    const FontPlan& plan() const { return plan_; }
    const QByteArray& header() const { return header_; }  // chip and ttf
    // Whether Prepare left something to write.
    bool HasOutput() const { return plan_.isValid() || !header_.isEmpty(); }

    // The log lines the window shows as the run starts: the GB2312 page
    // line, the BIG5 and GBK page bounds, the Unicode start, end and count,
    // the header lines.
    QStringList StartLines() const;
    // The log as it stands when the run is done, given every slot's width:
    // the GBK width list replaces the page line; the rest keep StartLines.
    QStringList FinalLines(const QVector<int>& widths) const;
    // "GB2312 Font Lib ok", ..., "Font bin ok".
    QString CompletionText() const;

    // Called now and then, on the calling thread, with the glyphs done.
    using Progress = std::function<void(qint64 done)>;
    // Draws every glyph on up to `threads` threads (the bytes do not depend
    // on their number) into the whole file. Fills *widths (slot order);
    // returns an empty array with a NotEnoughMemory *refusal when the file
    // or a cell could not be allocated.
    QByteArray Run(int threads, const Progress& progress, QVector<int>* widths,
                   Refusal* refusal) const;

    // The bytes to write from the finished plain file: the file itself, or
    // its compressed form when the request asks for it. Empty with a
    // *refusal when it cannot be compressed.
    QByteArray FileBytes(const QByteArray& plain, Refusal* refusal) const;

  private:
    ConvertRequest request_;
    FontPlan plan_;
    QByteArray header_;
};

}  // namespace runemill
