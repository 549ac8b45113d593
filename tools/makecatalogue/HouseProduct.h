#pragma once

#include <QSize>
#include <QString>
#include <QVariant>

// One row of the house catalogue, with what the generator decides about its photo and
// drawing. Nullable columns are QVariant; an invalid QVariant is written as null.
struct HouseProduct
{
    enum class Photo
    {
        Maybe,
        Always,
        Never,
    };

    int number = 0;
    QString reference;
    QString description;
    QVariant leadTime;
    QVariant weight;
    QVariant price;
    double ipi = 0;
    double icms = 0;
    QString fiscalClass;
    QString dimension;
    QString sales;
    QString group;
    QVariant newReference;
    QVariant composition;
    QVariant attachmentNumber;
    // False when attachmentNumber names no attachment, or there is none.
    bool hasDrawing = false;

    int familyIndex = 0;
    Photo photo = Photo::Maybe;
    // Size and format of a photo drawn for this product alone; empty for a shared photo.
    QSize photoSize;
    bool photoAsPng = false;
};
