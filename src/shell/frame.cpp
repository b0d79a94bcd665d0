#include "shell/frame.h"

#include "text/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kFilter = QStringLiteral("Fichiers employés (*.emp)|*.emp");
}

Frame::Frame(Fiche &fiche, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_fiche(fiche), m_dialogs(dialogs)
{
}

QString Frame::caption() const
{
    return QStringLiteral("Korvel");
}

QString Frame::withEmpExtension(const QString &path)
{
    const int slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const int dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QStringLiteral(".emp");
}

void Frame::applyPatterns(std::initializer_list<Pattern> patterns)
{
    for (Pattern p : patterns)
        m_commands.apply(p);
    Q_EMIT commandsChanged();
}

void Frame::firstShow(const QString &startDirectory)
{
    m_startDirectory = startDirectory;
    bool autoOpen = false;
    QString last;
    m_fiche.GetIni(autoOpen, last);
    m_currentFileName = last;
    m_fiche.SetSel(0);
    if (autoOpen) {
        m_commands.setChecked(Cmd::OuvrirAuto, true);
        m_fiche.Charge(m_currentFileName);
        // A dossier deleted meanwhile leaves an empty, unnamed dossier.
        if (m_fiche.dossierFileName().isEmpty())
            m_currentFileName.clear();
        applyPatterns({Pattern::D, Pattern::E});
    } else {
        Q_EMIT commandsChanged();
    }
}

Frame::Prompt Frame::savePrompt()
{
    if (!m_fiche.TestModif())
        return Prompt::Continue;
    // A dossier that was never named goes through the save-as flow. If the dossier could not be
    // written, the calling flow stops so that nothing is lost.
    const bool goOn = m_dialogs.saveChangesFirst(m_currentFileName, [this] {
        return m_currentFileName.isEmpty() ? saveAsFlow() : m_fiche.Sauve(m_currentFileName);
    });
    return goOn ? Prompt::Continue : Prompt::Stop;
}

void Frame::nouveau()
{
    if (savePrompt() == Prompt::Stop)
        return;
    m_currentFileName.clear();
    m_fiche.Nouveau();
    applyPatterns({Pattern::D, Pattern::E});
    tousLesEmployes();
}

void Frame::ouvrir()
{
    if (savePrompt() == Prompt::Stop)
        return;
    const QString chosen = m_dialogs.openFile(kFilter);
    if (chosen.isEmpty())
        return;
    m_currentFileName = chosen;
    if (chosen.right(4).toUpper() != QLatin1String(".EMP")) {
        m_currentFileName.clear();
        m_dialogs.message(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFileInfo::exists(chosen)) {
        m_dialogs.message(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    m_fiche.Charge(chosen);
    applyPatterns({Pattern::D, Pattern::E});
    tousLesEmployes();
}

void Frame::enregistrer()
{
    if (!m_currentFileName.isEmpty() && !QFileInfo::exists(m_currentFileName))
        m_currentFileName.clear();
    if (m_currentFileName.isEmpty()) {
        saveAsFlow();
        return;
    }
    m_fiche.Sauve(withEmpExtension(m_currentFileName));
}

void Frame::enregistrerSous()
{
    saveAsFlow();
}

bool Frame::saveAsFlow()
{
    m_currentFileName.clear();
    const QString chosen = m_dialogs.saveFile(kFilter, QStringLiteral("*.emp"));
    if (chosen.isEmpty())
        return false;
    const QString name = withEmpExtension(chosen);
    if (QFileInfo::exists(name) && !m_dialogs.confirm(QStringLiteral("Ce fichier existe déjà"))) {
        // The refused name is not kept, so a later save cannot overwrite it without asking.
        return false;
    }
    m_currentFileName = name;
    m_fiche.SetSauve();
    const bool saved = m_fiche.Sauve(name);
    Q_EMIT captionChanged();
    return saved;
}

void Frame::supprimer()
{
    if (!m_dialogs.confirm(QStringLiteral("Confirmer suppression de la fiche ?")))
        return;
    m_fiche.Supprime();
}

bool Frame::queryClose()
{
    return savePrompt() == Prompt::Continue;
}

void Frame::close()
{
    if (!m_startDirectory.isEmpty())
        QDir::setCurrent(m_startDirectory);
    m_fiche.saveSideFiles(m_startDirectory.isEmpty() ? QDir::currentPath() : m_startDirectory);
}

void Frame::showPage(Fiche::Page page)
{
    switch (page) {
    case Fiche::Page::Employes:
        m_fiche.Employe();
        applyPatterns({Pattern::E});
        break;
    case Fiche::Page::Profils:
        m_fiche.Profil();
        applyPatterns({Pattern::P});
        break;
    case Fiche::Page::Bulletins:
        m_fiche.Bulletin();
        applyPatterns({Pattern::B});
        break;
    }
}

void Frame::toggleAutoOpen()
{
    const bool on = !m_commands.checked(Cmd::OuvrirAuto);
    m_commands.setChecked(Cmd::OuvrirAuto, on);
    m_fiche.SetIni(on);
    Q_EMIT commandsChanged();
}

void Frame::tousLesEmployes()
{
    selectionEmployes(Cmd::TousEmployes, 1);
}

void Frame::selectionEmployes(Cmd item, int mode, const QString &value)
{
    m_commands.checkInGroup(item);
    m_fiche.selectionner(mode, value);
    Q_EMIT commandsChanged();
}

void Frame::nouvelleFiche()
{
    if (m_fiche.NouvelleFiche())
        applyPatterns({Pattern::D});
}

void Frame::importer()
{
    const QString path = m_dialogs.openFile(exchange::importFilter());
    if (path.isEmpty())
        return;
    if (m_fiche.importer(path))
        applyPatterns({Pattern::D});
}

void Frame::exporter()
{
    const QString path = m_dialogs.saveFile(exchange::exportFilter(), QStringLiteral("*.") + exchange::defaultExportSuffix());
    if (path.isEmpty())
        return;
    m_fiche.exporter(path);
}

void Frame::tousLesBulletins()
{
    m_commands.checkInGroup(Cmd::TousBulletins);
    m_fiche.SetBul(0);
    Q_EMIT commandsChanged();
}
