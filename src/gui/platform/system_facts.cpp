#include "platform/system_facts.h"

#include <QFile>
#include <QLibraryInfo>
#include <QStorageInfo>
#include <QStringView>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace qzx {

namespace {

/// The whole text of a small system file; empty when it cannot be read. Files under /proc
/// report a size of 0, so read to the end instead of by size.
QString readSystemFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll());
}

/// The value of an os-release assignment without its shell quoting.
QString unquoteOsReleaseValue(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    QString plain;
    plain.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) ++i;
        plain.append(value[i]);
    }
    return plain;
}

/// The amount in bytes of a /proc/meminfo line's value ("16318504 kB").
std::optional<std::uint64_t> meminfoBytes(QStringView value) {
    const QList<QStringView> parts = value.trimmed().split(u' ', Qt::SkipEmptyParts);
    if (parts.isEmpty()) return std::nullopt;
    bool ok = false;
    const std::uint64_t amount = parts[0].toULongLong(&ok);
    if (!ok) return std::nullopt;
    const bool kilobytes = parts.size() > 1 && parts[1].compare(u"kB", Qt::CaseInsensitive) == 0;
    return kilobytes ? amount * 1024 : amount;
}

} // namespace

QStringList statusLines(const SystemFacts& facts) {
    const QString processor =
        facts.cpuModel.trimmed().isEmpty() ? QStringLiteral("Unknown") : facts.cpuModel.trimmed();
    return {
        QStringLiteral("Total System Memory:   ") + QString::number(facts.totalMemoryBytes / 1024) +
            QStringLiteral(" KB"),
        QStringLiteral("Current Allocation: ") + QString::number(facts.memoryLoadPercent) +
            QStringLiteral(" %"),
        facts.osName + QStringLiteral("   Vers: ") + QString::number(facts.kernelMajor) +
            QLatin1Char('.') + QString::number(facts.kernelMinor),
        // Many model names end in "Processor" already; the word is not written twice.
        processor + (processor.endsWith(QStringLiteral("Processor"), Qt::CaseInsensitive)
                         ? QStringLiteral(" installed")
                         : QStringLiteral(" Processor installed")),
        // Linux has no Windows folder; the line names the program's own folder instead, which
        // is where QZXPRO.INI, the data files and the help topics are found.
        QStringLiteral("Path to Program: ") + facts.programFolder,
        QStringLiteral("Path to System: ") + facts.systemFolder,
        // Linux has no drive letters; the line names the file system holding the program.
        QStringLiteral("Space Available on ") + facts.diskName + QStringLiteral(" is: ") +
            QString::number(facts.freeDiskBytes / 1024) + QStringLiteral(" Kbytes"),
    };
}

std::optional<MemoryAmounts> memoryFromMeminfo(const QString& text) {
    std::optional<std::uint64_t> total, available, free, buffers, cached;
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) continue;
        const QStringView key = QStringView(line).left(colon).trimmed();
        const QStringView value = QStringView(line).mid(colon + 1);
        if (key == u"MemTotal")
            total = meminfoBytes(value);
        else if (key == u"MemAvailable")
            available = meminfoBytes(value);
        else if (key == u"MemFree")
            free = meminfoBytes(value);
        else if (key == u"Buffers")
            buffers = meminfoBytes(value);
        else if (key == u"Cached")
            cached = meminfoBytes(value);
    }
    if (!total) return std::nullopt;
    MemoryAmounts amounts;
    amounts.totalBytes = *total;
    if (available) {
        amounts.availableBytes = *available;
    } else {
        amounts.availableBytes = free.value_or(0) + buffers.value_or(0) + cached.value_or(0);
    }
    return amounts;
}

int memoryLoadPercent(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    if (totalBytes == 0) return 0;
    if (availableBytes >= totalBytes) return 0;
    return static_cast<int>(100 * (totalBytes - availableBytes) / totalBytes);
}

QString osNameFromOsRelease(const QString& text) {
    QString name;
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("PRETTY_NAME="))) {
            const QString pretty = unquoteOsReleaseValue(trimmed.mid(12));
            if (!pretty.isEmpty()) return pretty;
        } else if (trimmed.startsWith(QLatin1String("NAME="))) {
            name = unquoteOsReleaseValue(trimmed.mid(5));
        }
    }
    return name;
}

QString cpuModelFromCpuinfo(const QString& text) {
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) continue;
        if (line.left(colon).trimmed() == QLatin1String("model name"))
            return line.mid(colon + 1).simplified();
    }
    return {};
}

std::pair<int, int> kernelVersionFromRelease(const QString& release) {
    // "6.1.0-18-amd64": the numbers before the first character that is neither digit nor dot.
    qsizetype end = 0;
    while (end < release.size() && (release[end].isDigit() || release[end] == u'.'))
        ++end;
    const QStringList numbers = release.left(end).split(u'.');
    const int major = numbers.value(0).toInt();
    const int minor = numbers.value(1).toInt();
    return {major, minor};
}

SystemFacts gatherSystemFacts(const std::filesystem::path& programDirectory) {
    SystemFacts facts;

    if (const auto memory = memoryFromMeminfo(readSystemFile(QStringLiteral("/proc/meminfo")))) {
        facts.totalMemoryBytes = memory->totalBytes;
        facts.memoryLoadPercent = memoryLoadPercent(memory->totalBytes, memory->availableBytes);
    } else if (struct sysinfo info{}; sysinfo(&info) == 0) {
        const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
        facts.totalMemoryBytes = std::uint64_t{info.totalram} * unit;
        facts.memoryLoadPercent = memoryLoadPercent(
            facts.totalMemoryBytes, (std::uint64_t{info.freeram} + info.bufferram) * unit);
    }

    struct utsname names {};
    const bool haveUname = uname(&names) == 0;
    facts.osName = osNameFromOsRelease(readSystemFile(QStringLiteral("/etc/os-release")));
    if (facts.osName.isEmpty())
        facts.osName = osNameFromOsRelease(readSystemFile(QStringLiteral("/usr/lib/os-release")));
    if (facts.osName.isEmpty())
        facts.osName = haveUname ? QString::fromLocal8Bit(names.sysname) : QStringLiteral("Linux");
    if (haveUname) {
        const auto [major, minor] = kernelVersionFromRelease(QString::fromLocal8Bit(names.release));
        facts.kernelMajor = major;
        facts.kernelMinor = minor;
    }

    facts.cpuModel = cpuModelFromCpuinfo(readSystemFile(QStringLiteral("/proc/cpuinfo")));

    facts.programFolder = QString::fromStdString(programDirectory.string());
    // The Windows system folder holds the system's shared libraries; the nearest thing here is
    // the folder of the Qt libraries the program loads (/usr/lib/x86_64-linux-gnu on Debian).
    facts.systemFolder = QLibraryInfo::path(QLibraryInfo::LibrariesPath);

    // f_bavail: the space an ordinary user may still fill, as `df` reports it.
    if (struct statvfs disk{}; statvfs(programDirectory.c_str(), &disk) == 0)
        facts.freeDiskBytes = std::uint64_t{disk.f_bavail} * disk.f_frsize;
    const QStorageInfo storage(facts.programFolder);
    facts.diskName = storage.isValid() ? storage.rootPath() : facts.programFolder;

    return facts;
}

} // namespace qzx
