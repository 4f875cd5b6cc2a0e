#pragma once

#include <vector>

#include "core/Canvas.h"
#include "model/Material.h"
#include "model/ModelView.h"
#include "model/Primitive.h"

// Draws solid primitives with a depth buffer: orthographic camera from the front and above at
// the board's angle, Lambert plus ambient light from the upper left with a little gloss,
// shading in a few bands (so a strip keeps few colours), and a one-pixel dark outline around
// the figure and along steps in depth. Nothing below the ground plane is drawn. One renderer is reused for every frame; its buffers
// keep their storage.
class ModelRenderer {
public:
    // Paints the model into the cell (cellX, cellY, cellWidth, cellHeight) of the target.
    void Render(const std::vector<Primitive>& model, const std::vector<Material>& materials, const ModelView& view,
                Canvas& target, int cellX, int cellY, int cellWidth, int cellHeight);

    // The sine of the camera's elevation: the board's rows are foreshortened to 0.4.
    static constexpr float kElevationSine = 0.4f;

private:
    struct CameraPrimitive;

    CameraPrimitive ToCamera(const Primitive& primitive, const ModelView& view) const;
    void Rasterise(const CameraPrimitive& primitive, const Material& material);
    bool BelowGround(float pixelY, float pixelZ) const;
    void Outline();
    void CopyInto(Canvas& target, int cellX, int cellY) const;

    float groundOriginY = 0.0f;
    float pixelsPerUnit = 1.0f;
    int width = 0;
    int height = 0;
    std::vector<float> depth;
    std::vector<Rgba> colour;
    std::vector<Rgba> outlined;
};
