// Reads an atlas JSON with an engine's own parser, headless, and prints what the engine made of
// each frame as one JSON document: {"frames": {name: {x, y, w, h, sourceW, sourceH, trimX,
// trimY, anchorX, anchorY}}, "animations": {name: [frame names]}}.
//
//   node load_atlas.mjs phaser|pixi8|pixi7 ATLAS.json
//
// Phaser's parsers (JSONHash, JSONArray) are given a texture that holds only the page's size and
// makes Phaser's own Frame objects; PixiJS's Spritesheet is given a texture of the page's size
// without pixels. Neither engine needs a window for this; PixiJS only asks for a navigator.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const [engine, path] = process.argv.slice(2);
const data = JSON.parse(readFileSync(path, 'utf8'));
const { w: pageWidth, h: pageHeight } = data.meta.size;
const out = { frames: {}, animations: {} };

if (engine === 'phaser') {
    const require = createRequire(import.meta.url);
    const Frame = require('phaser/src/textures/Frame');
    const parse = Array.isArray(data.frames)
        ? require('phaser/src/textures/parsers/JSONArray')
        : require('phaser/src/textures/parsers/JSONHash');
    const texture = {
        source: [{ width: pageWidth, height: pageHeight, glTexture: null }],
        frames: {},
        customData: {},
        add(name, sourceIndex, x, y, width, height) {
            if (this.frames[name]) return null;
            return (this.frames[name] = new Frame(this, name, sourceIndex, x, y, width, height));
        },
    };
    parse(texture, 0, data);
    for (const [name, f] of Object.entries(texture.frames)) {
        if (name === '__BASE') continue;
        out.frames[name] = {
            x: f.cutX, y: f.cutY, w: f.cutWidth, h: f.cutHeight, sourceW: f.realWidth, sourceH: f.realHeight,
            trimX: f.x, trimY: f.y, anchorX: f.customPivot ? f.pivotX : null, anchorY: f.customPivot ? f.pivotY : null,
            duration: f.customData.duration ?? null,
        };
    }
} else {
    globalThis.navigator ??= { userAgent: 'node' };
    let sheet;
    if (engine === 'pixi8') {
        const { Spritesheet, Texture, TextureSource } = await import('pixi.js');
        sheet = new Spritesheet(new Texture({ source: new TextureSource({ width: pageWidth, height: pageHeight }) }), data);
    } else {
        const { Spritesheet, BaseTexture } = await import('pixi7');
        sheet = new Spritesheet(new BaseTexture(null, { width: pageWidth, height: pageHeight }), data);
    }
    await sheet.parse();
    for (const [name, t] of Object.entries(sheet.textures)) {
        out.frames[name] = {
            x: t.frame.x, y: t.frame.y, w: t.frame.width, h: t.frame.height, sourceW: t.orig.width, sourceH: t.orig.height,
            trimX: t.trim ? t.trim.x : 0, trimY: t.trim ? t.trim.y : 0, anchorX: t.defaultAnchor.x, anchorY: t.defaultAnchor.y,
            duration: null,
        };
    }
    for (const [name, textures] of Object.entries(sheet.animations)) {
        out.animations[name] = textures.map((t) => Object.keys(sheet.textures).find((k) => sheet.textures[k] === t));
    }
}
process.stdout.write(JSON.stringify(out));
