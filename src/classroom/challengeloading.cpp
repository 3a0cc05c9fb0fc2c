#include "classroom/challengeloading.h"

#include "classroom/classroomfiles.h"

#include <QCoreApplication>

namespace ChallengeLoading {

Numeric::Outcome<OpenedChallenge> open(const QString &typed)
{
    auto code = Challenge::decodeCode(typed.toStdString());
    if (!code)
        return Numeric::Refusal{code.reason()};
    auto challenge = Challenge::makeChallenge(code->settings, ClassroomFiles::rvFolder());
    if (!challenge)
        return Numeric::Refusal{challenge.reason()};
    // The class code is shown even for a teacher's: it is the one to hand out.
    const QString grouped = QString::fromStdString(Challenge::encodeCode(code->settings, Challenge::CodeKind::Class));
    return OpenedChallenge{*code, std::move(challenge).value(), grouped};
}

QString dataTitle(const OpenedChallenge &opened)
{
    return QCoreApplication::translate("ChallengeLoading", "Challenge %1").arg(opened.codeText);
}

} // namespace ChallengeLoading
