#pragma once

#include <QString>

class QWidget;
struct OpeningFailure;

// The details of "Erro ao abrir os dados, verifique sua configuração": which file, and why it
// did not open, so that a missing share is told from a damaged catalogue.
namespace OpeningFailureDetails {

// Empty text when there is no failure to tell.
QString text(const OpeningFailure& failure);
// The message itself, with those details, over `parent`.
void showOpenFailed(QWidget* parent, const OpeningFailure& failure);

} // namespace OpeningFailureDetails
