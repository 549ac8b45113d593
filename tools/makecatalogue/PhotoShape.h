#pragma once

// The kind of object a product photo shows, chosen by product family.
enum class PhotoShape
{
    RailDevice,
    Socket,
    Lamp,
    Enclosure,
    Cylinder,
    CableCoil,
};

constexpr int kPhotoShapeCount = 6;
