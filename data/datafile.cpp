#include "data/datafile.h"

#include "data/bytes.h"
#include "data/record.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

// Reads the file front to back; past its end every byte is 0xFF.
class ByteSource
{
public:
    explicit ByteSource(QByteArrayView bytes) : m_bytes(bytes) {}
    uint8_t next() { return m_pos < m_bytes.size() ? static_cast<uint8_t>(m_bytes[m_pos++]) : 0xFF; }
    // Copies n bytes to dst, 0xFF past the end.
    void read(uint8_t *dst, qsizetype n)
    {
        const qsizetype avail = std::clamp<qsizetype>(m_bytes.size() - m_pos, 0, n);
        if (avail > 0)
            std::memcpy(dst, m_bytes.data() + m_pos, size_t(avail));
        if (n > avail)
            std::memset(dst + avail, 0xFF, size_t(n - avail));
        m_pos += n;
    }
    void skip(qsizetype n) { m_pos += n; }
    bool hasByte() const { return m_pos < m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

} // namespace

LoadResult loadDataFile(QByteArrayView file, MeasurementBuffer &out)
{
    LoadResult r;
    out.clear();
    ByteSource src(file);
    uint32_t p = 0;
    bool headerSeen = false;
    while (p < kBufferSize) {
        const bool realByte = src.hasByte();
        const uint8_t b = src.next();
        if (b == kHeaderMarker || b == kContinuationMarker) {
            if (b == kHeaderMarker)
                ++r.recordCount;
            uint8_t *block = out.writable(p, kBlockSize).data();
            block[0] = b;
            src.read(block + 1, kBlockSize - 1);
            p += kBlockSize;
            continue;
        }
        if (p != 0)
            break;
        uint8_t marker[4] = {b, src.next(), src.next(), src.next()};
        r.versionMarker = readU32(marker, 0);
        if (r.versionMarker != kCurrentVersion) {
            if (!realByte)
                r.error = file.isEmpty() ? LoadError::Empty : LoadError::NoMeasurements;
            else
                r.error = LoadError::BadMarker;
            // A header seen before means the data behind it is not a block.
            if (headerSeen && r.error == LoadError::BadMarker)
                r.error = LoadError::NoMeasurements;
            return r;
        }
        headerSeen = true;
        src.skip(kFileHeaderSize - 4);
    }
    r.blockCount = p / kBlockSize;
    if (p == kBufferSize) {
        const uint8_t b = src.next();
        r.truncated = b == kHeaderMarker || b == kContinuationMarker;
    }
    return r;
}

LoadResult loadDataFile(const QString &path, MeasurementBuffer &out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        LoadResult r;
        r.error = LoadError::CannotOpen;
        return r;
    }
    // Nothing past a header and a full buffer is ever stored, plus one byte to tell
    // whether the file went on.
    const QByteArray bytes = f.read(qint64(kFileHeaderSize) + kBufferSize + 1);
    return loadDataFile(QByteArrayView(bytes), out);
}

QString loadErrorText(LoadError error)
{
    switch (error) {
    case LoadError::None: return {};
    case LoadError::CannotOpen: return QStringLiteral("文件无法打开");
    case LoadError::Empty: return QStringLiteral("文件是空的");
    case LoadError::NoMeasurements: return QStringLiteral("文件中没有测量数据");
    case LoadError::BadMarker: return QStringLiteral("不是荧光仪数据文件（文件头标记不符）");
    }
    return {};
}

QByteArray fileHeader()
{
    QByteArray h(kFileHeaderSize, '\0');
    writeU32(std::span(reinterpret_cast<uint8_t *>(h.data()), size_t(h.size())), 0, kCurrentVersion);
    return h;
}

void appendRecord(QByteArray &out, const MeasurementBuffer &buffer, uint32_t offset)
{
    if (offset >= kBufferSize)
        return;
    const uint64_t end = recordEnd(buffer, offset);
    out.append(reinterpret_cast<const char *>(buffer.data() + offset), qsizetype(end - offset));
}

QByteArray dataFileBytes(const MeasurementBuffer &buffer, uint64_t bodyLength, bool withHeader)
{
    const auto body = qsizetype(std::min<uint64_t>(bodyLength, kBufferSize));
    QByteArray out;
    out.reserve(body + kFileHeaderSize);
    if (withHeader)
        out = fileHeader();
    out.append(reinterpret_cast<const char *>(buffer.data()), body);
    return out;
}

} // namespace corvane
