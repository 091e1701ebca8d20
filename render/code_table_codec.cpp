#include "render/code_table_codec.h"

#include <QFile>
#include <QTextCodec>

#include "render/encodings.h"

// Resources of a static library are registered by hand.
static void InitCodeTables() { Q_INIT_RESOURCE(code_tables); }

namespace runemill {

namespace {

// Entry (lead - 0x80) * 256 + trail: what the bytes lead, trail (trail 0: the
// lead byte alone) decode to, two UTF-16 units little-endian, 0 for none.
constexpr int kLeadBytes = 128;
constexpr int kEntryBytes = 4;
constexpr int kTableBytes = kLeadBytes * 256 * kEntryBytes;

class TableCodec : public QTextCodec {
  public:
    TableCodec(const QByteArray& name, int mib, const QByteArray& systemName, const QString& path)
        : name_(name), mib_(mib), systemName_(systemName) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) table_ = file.readAll();
        if (table_.size() != kTableBytes) table_.clear();
    }

    bool valid() const { return !table_.isEmpty(); }
    QByteArray name() const override { return name_; }
    int mibEnum() const override { return mib_; }

  protected:
    QString convertToUnicode(const char* in, int length, ConverterState*) const override {
        QString out;
        const uchar* bytes = reinterpret_cast<const uchar*>(in);
        for (int i = 0; i < length;) {
            const uchar lead = bytes[i];
            if (lead < 0x80) {  // ASCII stands for itself
                out += QChar(lead);
                ++i;
                continue;
            }
            const uchar trail = i + 1 < length ? bytes[i + 1] : 0;
            const uchar* entry = reinterpret_cast<const uchar*>(table_.constData()) +
                                 ((lead - 0x80) * 256 + trail) * kEntryBytes;
            for (int unit = 0; unit < 2; ++unit) {
                const ushort value = ushort(entry[2 * unit] | entry[2 * unit + 1] << 8);
                if (value != 0) out += QChar(value);
            }
            i += trail != 0 ? 2 : 1;
        }
        return out;
    }

    QByteArray convertFromUnicode(const QChar* in, int length,
                                  ConverterState* state) const override {
        QTextCodec* system = QTextCodec::codecForName(systemName_);
        return system != nullptr ? system->fromUnicode(in, length, state) : QByteArray();
    }

  private:
    QByteArray name_;
    int mib_;
    QByteArray systemName_;
    QByteArray table_;
};

// Qt keeps every codec it is given until the program ends.
TableCodec* MakeCodec(const char* name, int mib, const char* systemName, const char* path) {
    InitCodeTables();
    TableCodec* codec = new TableCodec(name, mib, systemName, QString::fromLatin1(path));
    return codec->valid() ? codec : nullptr;
}

}  // namespace

QTextCodec* TableCodecFor(int encoding) {
    static TableCodec* const gbk =
        MakeCodec("Runemill-GBK-table", -4000, "GBK", ":/runemill/codes/gbk.table");
    static TableCodec* const big5 =
        MakeCodec("Runemill-BIG5-table", -4001, "BIG5", ":/runemill/codes/big5.table");
    return encoding == kEncodingBig5 ? big5 : gbk;
}

}  // namespace runemill
