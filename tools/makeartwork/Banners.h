#pragma once

#include <QImage>
#include <QSize>

// The wide pictures of the search window: the clickable header and the decoration beside
// the reference search.
namespace Banners {

// The "KORVEL" wordmark banner.
QImage header(const QSize& size);

// A distribution board fitted with the house's breakers.
QImage decoration(const QSize& size);

} // namespace Banners
