// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "data_set.h"

#include "pictures.h"
#include "scene_file.h"
#include "texture.h"

namespace {

template <Canvas (*paint)()>
std::vector<uint8_t> bitmap()
{
    return encodeBmp(finishImage(paint()));
}

template <SceneData (*model)()>
std::vector<uint8_t> scene()
{
    return encodeScene(model());
}

}  // namespace

const std::vector<GeneratedFile>& artFiles()
{
    static const std::vector<GeneratedFile> files = {
        {"hus.3ds", scene<modelHouseScene>},     {"box.3ds", scene<modelBoxScene>},
        {"light.3ds", scene<modelLightScene>},   {"loop.bmp", bitmap<paintLoop>},
        {"woody.bmp", bitmap<paintWoody>},       {"bonde.bmp", bitmap<paintBonde>},
        {"lame.bmp", bitmap<paintLame>},         {"back2.bmp", bitmap<paintBack2>},
        {"circles.bmp", bitmap<paintCircles>},   {"lines.bmp", bitmap<paintLines>},
        {"mannen.bmp", bitmap<paintMannen>},     {"nurturei.bmp", bitmap<paintNurturei>},
        {"rightnow.bmp", bitmap<paintRightnow>}, {"screen1tex.raw", paintWarpTexture},
    };
    return files;
}
