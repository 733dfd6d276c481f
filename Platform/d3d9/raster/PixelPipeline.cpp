#include "d3d9/raster/PixelPipeline.h"

#include <cmath>
#include <cstring>

#include "d3d9/raster/SpanKernels.h"

namespace vestra::raster {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

DWORD QuantizeDepth(DepthKind kind, float z) {
    if (!(z > 0.0f)) z = 0.0f;
    if (z > 1.0f) z = 1.0f;
    switch (kind) {
        case DepthKind::D16: return static_cast<DWORD>(z * 65535.0f + 0.5f);
        case DepthKind::D24: return static_cast<DWORD>(static_cast<double>(z) * 16777215.0 + 0.5);
        default: return static_cast<DWORD>(static_cast<double>(z) * 4294967295.0 + 0.5);
    }
}

struct DepthCell {
    BYTE* address;
    DWORD depth;
    DWORD stencil;
    DWORD raw;
};

DepthCell ReadDepth(const DrawContext& c, BYTE* row, int x) {
    DepthCell cell{};
    if (c.depthKind == DepthKind::D16) {
        cell.address = row + x * 2;
        WORD d;
        std::memcpy(&d, cell.address, 2);
        cell.depth = d;
    } else {
        cell.address = row + x * 4;
        std::memcpy(&cell.raw, cell.address, 4);
        if (c.depthKind == DepthKind::D24) {
            cell.depth = cell.raw >> 8;
            cell.stencil = cell.raw & 0xFF;
        } else {
            cell.depth = cell.raw;
        }
    }
    return cell;
}

void WriteDepth(const DrawContext& c, const DepthCell& cell, DWORD depth, DWORD stencil) {
    if (c.depthKind == DepthKind::D16) {
        const WORD d = static_cast<WORD>(depth);
        std::memcpy(cell.address, &d, 2);
    } else {
        const DWORD v = c.depthKind == DepthKind::D24 ? (depth << 8) | (stencil & 0xFF) : depth;
        std::memcpy(cell.address, &v, 4);
    }
}

// Stencil and depth tests with their side effects. True when the pixel survives.
bool DepthStencil(const DrawContext& c, const StencilSide& side, BYTE* depthRow, int x, float z) {
    DepthCell cell = ReadDepth(c, depthRow, x);
    const DWORD incoming = QuantizeDepth(c.depthKind, z);
    DWORD stencil = cell.stencil;
    bool pass = true;
    DWORD op = 0;
    if (c.stencil) {
        const DWORD ref = c.stencilRef & c.stencilMask, stored = cell.stencil & c.stencilMask;
        if (!Compare(side.func, ref, stored)) {
            pass = false;
            op = side.fail;
        }
    }
    if (pass && c.depthTest && !Compare(c.depthFunc, incoming, cell.depth)) {
        pass = false;
        op = side.depthFail;
    }
    if (pass) op = side.pass;
    if (c.stencil) {
        const DWORD updated = ApplyStencilOp(op, stencil, c.stencilRef);
        stencil = (stencil & ~c.stencilWriteMask) | (updated & c.stencilWriteMask);
    }
    const bool writeDepth = pass && c.depthWrite;
    if (writeDepth || stencil != cell.stencil) WriteDepth(c, cell, writeDepth ? incoming : cell.depth, stencil);
    return pass;
}

// Stage 0 alone computing texture x diffuse in colour, and texture or texture x diffuse
// in alpha: the form nearly every textured draw takes.
bool IsSimpleCombine(const DrawContext& c) {
    const CombinerSetup& cs = c.combiner;
    if (cs.stageCount != 1 || !c.stageSamples[0] || c.needLod || c.texProjected[0] || c.texCoords[0] != 2) return false;
    const StageSetup& s = cs.stages[0];
    if (s.resultToTemp) return false;
    auto isDiffuse = [](DWORD a) { return a == D3DTA_DIFFUSE || a == D3DTA_CURRENT; };
    const bool colour = s.colorOp == D3DTOP_MODULATE &&
                        ((s.colorArg[1] == D3DTA_TEXTURE && isDiffuse(s.colorArg[2])) ||
                         (s.colorArg[2] == D3DTA_TEXTURE && isDiffuse(s.colorArg[1])));
    const bool alpha = (s.alphaOp == D3DTOP_SELECTARG1 && s.alphaArg[1] == D3DTA_TEXTURE) ||
                       (s.alphaOp == D3DTOP_SELECTARG2 && s.alphaArg[2] == D3DTA_TEXTURE) ||
                       (s.alphaOp == D3DTOP_MODULATE &&
                        ((s.alphaArg[1] == D3DTA_TEXTURE && isDiffuse(s.alphaArg[2])) ||
                         (s.alphaArg[2] == D3DTA_TEXTURE && isDiffuse(s.alphaArg[1]))));
    return colour && alpha;
}

float LevelOfDetail(const DrawContext& c, const Primitive& p, int stage, float u, float v, float w) {
    const Plane& q = p.planes[0];
    const Plane& pu = p.planes[c.texPlane[stage]];
    const Plane& pv = p.planes[c.texPlane[stage] + 1];
    const TextureLevel& level = c.samplers[stage].texture->levels[0];
    const float width = static_cast<float>(level.width), height = static_cast<float>(level.height);
    const float dudx = (pu.dx - u * q.dx) * w * width, dvdx = (pv.dx - v * q.dx) * w * height;
    const float dudy = (pu.dy - u * q.dy) * w * width, dvdy = (pv.dy - v * q.dy) * w * height;
    const float rhoX = dudx * dudx + dvdx * dvdx, rhoY = dudy * dudy + dvdy * dvdy;
    const float rho = rhoX > rhoY ? rhoX : rhoY;
    return rho > 0.0f ? 0.5f * std::log2(rho) : -30.0f;
}

// The same for the three coordinates of a cube or volume texture.
float LevelOfDetail3(const DrawContext& c, const Primitive& p, int stage, float u, float v, float r, float w) {
    const Plane& q = p.planes[0];
    const float coord[3] = {u, v, r};
    float ddx[3], ddy[3];
    for (int i = 0; i < 3; ++i) {
        const Plane& pc = p.planes[c.texPlane[stage] + i];
        ddx[i] = (pc.dx - coord[i] * q.dx) * w;
        ddy[i] = (pc.dy - coord[i] * q.dy) * w;
    }
    return LevelOfDetail3(*c.samplers[stage].texture, coord, ddx, ddy);
}

template <bool kDepth, bool kBlend, bool kSimple>
void ShadeSpan(const DrawContext& c, const Primitive& p, int y, int x0, int x1, UINT& written) {
    const float fy = static_cast<float>(y) - p.originY;
    float row[kMaxPlanes];
    for (int k = 0; k < c.planeCount; ++k) row[k] = p.planes[k].at0 + p.planes[k].dy * fy;
    BYTE* colorRow = c.color + static_cast<ptrdiff_t>(y) * c.colorPitch;
    BYTE* depthRow = kDepth ? c.depth + static_cast<ptrdiff_t>(y) * c.depthPitch : nullptr;
    const StencilSide& side = p.backFacing && c.twoSidedStencil ? c.stencilBack : c.stencilFront;
    const bool earlyDepth = kDepth && !c.alphaTest;
    const DWORD keepMask = ~c.writeMask;
    const DWORD forcedAlpha = c.colorHasAlpha ? 0u : 0xFF000000u;

    for (int x = x0; x <= x1; ++x) {
        const float fx = static_cast<float>(x) - p.originX;
        auto at = [&](int k) { return row[k] + p.planes[k].dx * fx; };
        if (earlyDepth && !DepthStencil(c, side, depthRow, x, at(1))) continue;
        const float w = 1.0f / at(0);

        Rgba diffuse = p.flatDiffuse, specular = p.flatSpecular;
        if (c.diffusePlane >= 0) {
            const int d = c.diffusePlane;
            diffuse = Rgba{UnitTo8(at(d) * w), UnitTo8(at(d + 1) * w), UnitTo8(at(d + 2) * w), UnitTo8(at(d + 3) * w)};
        }
        if (c.specularPlane >= 0) {
            const int s = c.specularPlane;
            specular = Rgba{UnitTo8(at(s) * w), UnitTo8(at(s + 1) * w), UnitTo8(at(s + 2) * w), UnitTo8(at(s + 3) * w)};
        }

        Rgba colour;
        if constexpr (kSimple) {
            const int t = c.texPlane[0];
            const Rgba texel = Unpack(Sample(c.samplers[0], at(t) * w, at(t + 1) * w, 0.0f));
            const StageSetup& s = c.combiner.stages[0];
            colour = Rgba{Mul8(texel.r, diffuse.r), Mul8(texel.g, diffuse.g), Mul8(texel.b, diffuse.b),
                          s.alphaOp == D3DTOP_MODULATE ? Mul8(texel.a, diffuse.a) : texel.a};
        } else {
            Rgba texels[kMaxStages];
            for (int s = 0; s < c.combiner.stageCount; ++s) {
                texels[s] = Rgba{255, 255, 255, 255};
                if (!c.stageSamples[s] || !c.samplers[s].texture) continue;
                const int t = c.texPlane[s];
                float u = at(t) * w, v = at(t + 1) * w;
                float r = c.texCoords[s] == 3 ? at(t + 2) * w : 0.0f;
                if (c.texProjected[s]) {
                    const float q = at(t + c.texCoords[s]) * w;
                    if (q != 0.0f) { u /= q; v /= q; r /= q; }
                }
                if (c.texCoords[s] == 3) {
                    const float lod = c.samplers[s].needsLod ? LevelOfDetail3(c, p, s, u, v, r, w) : 0.0f;
                    texels[s] = Unpack(Sample3(c.samplers[s], u, v, r, lod));
                    continue;
                }
                const float lod = c.samplers[s].needsLod ? LevelOfDetail(c, p, s, u, v, w) : 0.0f;
                texels[s] = Unpack(Sample(c.samplers[s], u, v, lod));
            }
            colour = Combine(c.combiner, diffuse, specular, texels);
        }
        if (c.specularAdd) {
            colour.r = Clamp8(colour.r + specular.r);
            colour.g = Clamp8(colour.g + specular.g);
            colour.b = Clamp8(colour.b + specular.b);
        }
        if (c.fog != DrawContext::Fog::Off) {
            int f = specular.a;
            if (c.fog == DrawContext::Fog::TableDepth) f = UnitTo8(FogFactor(c.fogTable, at(1)));
            else if (c.fog == DrawContext::Fog::TableEye) f = UnitTo8(FogFactor(c.fogTable, w));
            colour.r = FogChannel(colour.r, c.fogColour.r, f);
            colour.g = FogChannel(colour.g, c.fogColour.g, f);
            colour.b = FogChannel(colour.b, c.fogColour.b, f);
        }
        if (c.alphaTest && !Compare(c.alphaFunc, static_cast<DWORD>(colour.a), c.alphaRef)) continue;
        if (kDepth && !earlyDepth && !DepthStencil(c, side, depthRow, x, at(1))) continue;

        BYTE* target = colorRow + x * 4;
        DWORD dest;
        std::memcpy(&dest, target, 4);
        DWORD out;
        if constexpr (kBlend) {
            Rgba d = Unpack(dest | forcedAlpha);
            out = Pack(Blend(c.blendSetup, colour, d));
        } else {
            out = Pack(colour);
        }
        out = ((out & c.writeMask) | (dest & keepMask)) | forcedAlpha;
        std::memcpy(target, &out, 4);
        ++written;
    }
}

template <bool kDepth, bool kBlend>
SpanShader PickCombine(const DrawContext& c) {
    return IsSimpleCombine(c) ? &ShadeSpan<kDepth, kBlend, true> : &ShadeSpan<kDepth, kBlend, false>;
}

template <bool kDepth>
SpanShader PickBlend(const DrawContext& c) {
    return c.blend ? PickCombine<kDepth, true>(c) : PickCombine<kDepth, false>(c);
}

}  // namespace

SpanShader SelectSpanShader(DrawContext& c) {
    if (const SpanShader specialised = SelectSpecialisedSpan(c)) return specialised;
    const bool depth = c.depthKind != DepthKind::None && (c.depthTest || c.depthWrite || c.stencil);
    return depth ? PickBlend<true>(c) : PickBlend<false>(c);
}

void RasterizeRows(const DrawContext& ctx, SpanShader shader, const Primitive* prims, const uint32_t* order,
                   size_t count, const LineRun* runs, int rowBegin, int rowEnd, UINT& written) {
    for (size_t i = 0; i < count; ++i) {
        const Primitive& p = prims[order ? order[i] : i];
        if (p.kind == Primitive::Kind::Line) {
            for (int r = 0; r < p.runCount; ++r) {
                const LineRun& run = runs[p.runStart + r];
                if (run.y >= rowBegin && run.y < rowEnd) shader(ctx, p, run.y, run.x0, run.x1, written);
            }
            continue;
        }
        const int last = p.bottom < rowEnd - 1 ? p.bottom : rowEnd - 1;
        for (int y = p.top > rowBegin ? p.top : rowBegin; y <= last; ++y) {
            int left = p.left, right = p.right;
            if (p.kind == Primitive::Kind::Triangle) {
                for (int e = 0; e < 3 && left <= right; ++e) {
                    const int64_t a = p.edge[e][0];
                    const int64_t r = p.edge[e][1] * y + p.edge[e][2];
                    if (a > 0) {
                        const int64_t bound = -FloorDiv(r, a);  // ceil(-r / a)
                        if (bound > left) left = bound > right ? right + 1 : static_cast<int>(bound);
                    } else if (a < 0) {
                        const int64_t bound = FloorDiv(r, -a);
                        if (bound < right) right = bound < left ? left - 1 : static_cast<int>(bound);
                    } else if (r < 0) {
                        right = left - 1;
                    }
                }
            }
            if (left <= right) shader(ctx, p, y, left, right, written);
        }
    }
}

}  // namespace vestra::raster
