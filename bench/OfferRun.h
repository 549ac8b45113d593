#pragma once

#include "Measurement.h"

#include <QList>

class Form2;

// The offers made while the user types, timed keystroke by keystroke through a search
// window's three boxes on their full lists, beside a plain scan of the box's list for the same
// answer; and the making of the offer indexes of the two long lists.
namespace OfferRun {

QList<Measurement> measure(Form2* window, int runs);

} // namespace OfferRun
