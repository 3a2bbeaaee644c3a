#include "printouts/PdfFile.h"

#include "base/Errors.h"
#include "base/FileAccess.h"

#include <QDir>
#include <QPageSize>

namespace {
constexpr double kMarginMm = 5.0;
}

PdfFile::PdfFile(const QString &path, const QString &title)
    : m_path(path)
    , m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                                .arg(QDir::toNativeSeparators(path), FileAccess::whyNotWritable(path)));
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Belvanto"));
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                        QPageLayout::Millimeter));
}

void PdfFile::commit()
{
    m_writer.reset(); // finishes the document
    if (!m_file.commit())
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                                .arg(QDir::toNativeSeparators(m_path), FileAccess::whyNotWritable(m_path)));
}
