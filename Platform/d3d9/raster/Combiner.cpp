#include "d3d9/raster/Combiner.h"

namespace vestra::raster {

namespace {

bool NamesTexture(DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; }

bool OpUsesArg0(DWORD op) { return op == D3DTOP_MULTIPLYADD || op == D3DTOP_LERP; }

struct Inputs {
    const Rgba* diffuse;
    const Rgba* specular;
    const Rgba* current;
    const Rgba* temp;
    const Rgba* texture;
    const Rgba* factor;
    const Rgba* constant;
};

Rgba Fetch(DWORD arg, const Inputs& in) {
    Rgba v;
    switch (arg & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE: v = *in.diffuse; break;
        case D3DTA_CURRENT: v = *in.current; break;
        case D3DTA_TEXTURE: v = *in.texture; break;
        case D3DTA_TFACTOR: v = *in.factor; break;
        case D3DTA_SPECULAR: v = *in.specular; break;
        case D3DTA_TEMP: v = *in.temp; break;
        case D3DTA_CONSTANT: v = *in.constant; break;
        default: v = *in.current; break;
    }
    if (arg & D3DTA_COMPLEMENT) v = Rgba{255 - v.r, 255 - v.g, 255 - v.b, 255 - v.a};
    if (arg & D3DTA_ALPHAREPLICATE) v.r = v.g = v.b = v.a;
    return v;
}

// One channel of a texture operation. a0..a2 are the channel values of the arguments;
// alphas are the alpha values the blend operations need.
int Operate(DWORD op, int a0, int a1, int a2, int a1Alpha, int diffuseAlpha, int textureAlpha, int factorAlpha,
            int currentAlpha) {
    switch (op) {
        case D3DTOP_SELECTARG1: return a1;
        case D3DTOP_SELECTARG2: return a2;
        case D3DTOP_MODULATE: return Mul8(a1, a2);
        case D3DTOP_MODULATE2X: return Clamp8(2 * Mul8(a1, a2));
        case D3DTOP_MODULATE4X: return Clamp8(4 * Mul8(a1, a2));
        case D3DTOP_ADD: return Clamp8(a1 + a2);
        case D3DTOP_ADDSIGNED: return Clamp8(a1 + a2 - 128);
        case D3DTOP_ADDSIGNED2X: return Clamp8(2 * (a1 + a2) - 255);
        case D3DTOP_SUBTRACT: return Clamp8(a1 - a2);
        case D3DTOP_ADDSMOOTH: return Clamp8(a1 + a2 - Mul8(a1, a2));
        case D3DTOP_BLENDDIFFUSEALPHA: return Clamp8(Mul8(a1, diffuseAlpha) + Mul8(a2, 255 - diffuseAlpha));
        case D3DTOP_BLENDTEXTUREALPHA: return Clamp8(Mul8(a1, textureAlpha) + Mul8(a2, 255 - textureAlpha));
        case D3DTOP_BLENDFACTORALPHA: return Clamp8(Mul8(a1, factorAlpha) + Mul8(a2, 255 - factorAlpha));
        case D3DTOP_BLENDCURRENTALPHA: return Clamp8(Mul8(a1, currentAlpha) + Mul8(a2, 255 - currentAlpha));
        case D3DTOP_BLENDTEXTUREALPHAPM: return Clamp8(a1 + Mul8(a2, 255 - textureAlpha));
        case D3DTOP_MODULATEALPHA_ADDCOLOR: return Clamp8(a1 + Mul8(a1Alpha, a2));
        case D3DTOP_MODULATECOLOR_ADDALPHA: return Clamp8(Mul8(a1, a2) + a1Alpha);
        case D3DTOP_MODULATEINVALPHA_ADDCOLOR: return Clamp8(Mul8(255 - a1Alpha, a2) + a1);
        case D3DTOP_MODULATEINVCOLOR_ADDALPHA: return Clamp8(Mul8(255 - a1, a2) + a1Alpha);
        case D3DTOP_MULTIPLYADD: return Clamp8(a0 + Mul8(a1, a2));
        case D3DTOP_LERP: return Clamp8(Mul8(a0, a1) + Mul8(255 - a0, a2));
        default: return a1;  // PREMODULATE and the bump operations are not emulated
    }
}

int DotProduct3(const Rgba& a, const Rgba& b) {
    const int sum = (2 * a.r - 255) * (2 * b.r - 255) + (2 * a.g - 255) * (2 * b.g - 255) +
                    (2 * a.b - 255) * (2 * b.b - 255);
    return Clamp8(sum / 255);
}

}  // namespace

void MakeCombinerSetup(const DWORD (*ts)[kStageStateCount], DWORD textureFactor, CombinerSetup& out,
                       bool stageSamples[kMaxStages]) {
    out.textureFactor = Unpack(textureFactor);
    out.stageCount = 0;
    for (UINT s = 0; s < kMaxStages; ++s) stageSamples[s] = false;
    for (UINT s = 0; s < kMaxStages; ++s) {
        const DWORD* st = ts[s];
        if (st[D3DTSS_COLOROP] == D3DTOP_DISABLE) break;
        StageSetup& stage = out.stages[out.stageCount++];
        stage.colorOp = st[D3DTSS_COLOROP];
        stage.colorArg[0] = st[D3DTSS_COLORARG0];
        stage.colorArg[1] = st[D3DTSS_COLORARG1];
        stage.colorArg[2] = st[D3DTSS_COLORARG2];
        // An alpha DISABLE under an enabled colour operation passes alpha through.
        stage.alphaOp = st[D3DTSS_ALPHAOP] == D3DTOP_DISABLE ? static_cast<DWORD>(D3DTOP_SELECTARG1) : st[D3DTSS_ALPHAOP];
        stage.alphaArg[0] = st[D3DTSS_ALPHAARG0];
        stage.alphaArg[1] = st[D3DTSS_ALPHAOP] == D3DTOP_DISABLE ? static_cast<DWORD>(D3DTA_CURRENT) : st[D3DTSS_ALPHAARG1];
        stage.alphaArg[2] = st[D3DTSS_ALPHAARG2];
        stage.resultToTemp = (st[D3DTSS_RESULTARG] & D3DTA_SELECTMASK) == D3DTA_TEMP;
        stage.constant = Unpack(st[D3DTSS_CONSTANT]);
        const bool colour0 = OpUsesArg0(stage.colorOp), alpha0 = OpUsesArg0(stage.alphaOp);
        stageSamples[s] = NamesTexture(stage.colorArg[1]) || NamesTexture(stage.colorArg[2]) ||
                          (colour0 && NamesTexture(stage.colorArg[0])) || NamesTexture(stage.alphaArg[1]) ||
                          NamesTexture(stage.alphaArg[2]) || (alpha0 && NamesTexture(stage.alphaArg[0])) ||
                          stage.colorOp == D3DTOP_BLENDTEXTUREALPHA || stage.colorOp == D3DTOP_BLENDTEXTUREALPHAPM ||
                          stage.alphaOp == D3DTOP_BLENDTEXTUREALPHA || stage.alphaOp == D3DTOP_BLENDTEXTUREALPHAPM;
    }
}

Rgba Combine(const CombinerSetup& setup, const Rgba& diffuse, const Rgba& specular, const Rgba* texels) {
    Rgba current = diffuse;
    Rgba temp{0, 0, 0, 0};
    for (int s = 0; s < setup.stageCount; ++s) {
        const StageSetup& st = setup.stages[s];
        const Inputs in{&diffuse, &specular, &current, &temp, &texels[s], &setup.textureFactor, &st.constant};
        const Rgba c1 = Fetch(st.colorArg[1], in), c2 = Fetch(st.colorArg[2], in);
        const Rgba c0 = OpUsesArg0(st.colorOp) ? Fetch(st.colorArg[0], in) : Rgba{0, 0, 0, 0};
        const Rgba x1 = Fetch(st.alphaArg[1], in), x2 = Fetch(st.alphaArg[2], in);
        const Rgba x0 = OpUsesArg0(st.alphaOp) ? Fetch(st.alphaArg[0], in) : Rgba{0, 0, 0, 0};
        const int da = diffuse.a, ta = texels[s].a, fa = setup.textureFactor.a, ca = current.a;
        Rgba result;
        if (st.colorOp == D3DTOP_DOTPRODUCT3) {
            result.r = result.g = result.b = DotProduct3(c1, c2);
        } else {
            result.r = Operate(st.colorOp, c0.r, c1.r, c2.r, c1.a, da, ta, fa, ca);
            result.g = Operate(st.colorOp, c0.g, c1.g, c2.g, c1.a, da, ta, fa, ca);
            result.b = Operate(st.colorOp, c0.b, c1.b, c2.b, c1.a, da, ta, fa, ca);
        }
        // The colour-only operations have no alpha form; alpha then takes ARG1.
        const DWORD alphaOp = st.alphaOp >= D3DTOP_MODULATEALPHA_ADDCOLOR && st.alphaOp <= D3DTOP_MODULATEINVCOLOR_ADDALPHA
                                  ? static_cast<DWORD>(D3DTOP_SELECTARG1) : st.alphaOp;
        result.a = st.colorOp == D3DTOP_DOTPRODUCT3 ? result.r
                                                     : Operate(alphaOp, x0.a, x1.a, x2.a, x1.a, da, ta, fa, ca);
        if (st.resultToTemp) temp = result; else current = result;
    }
    return current;
}

}  // namespace vestra::raster
