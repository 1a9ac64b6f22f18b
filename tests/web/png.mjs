// Reads an 8-bit RGB PNG into its raw rows, so that screenshots written by different encoders
// (libpng natively, stored blocks in the browser) can be compared pixel for pixel.
import zlib from 'node:zlib';

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a);
    const pb = Math.abs(p - b);
    const pc = Math.abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes one row's filter in place; `previous` is the row above, already unfiltered (or zeros).
function unfilter(type, row, previous, bpp) {
    for (let i = 0; i < row.length; ++i) {
        const left = i >= bpp ? row[i - bpp] : 0;
        const up = previous[i];
        const upLeft = i >= bpp ? previous[i - bpp] : 0;
        const predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][type];
        if (predictor === undefined) throw new Error('unknown PNG filter ' + type);
        row[i] = (row[i] + predictor) & 0xff;
    }
}

export function decodePng(bytes) {
    if (bytes.readUInt32BE(0) !== 0x89504e47) throw new Error('not a PNG');
    let at = 8;
    let width = 0;
    let height = 0;
    const data = [];
    while (at < bytes.length) {
        const length = bytes.readUInt32BE(at);
        const type = bytes.toString('latin1', at + 4, at + 8);
        const body = bytes.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            if (body[8] !== 8 || body[9] !== 2 || body[12] !== 0) throw new Error('not 8-bit RGB, uninterlaced');
        } else if (type === 'IDAT') {
            data.push(body);
        }
        at += 12 + length;
    }
    const raw = zlib.inflateSync(Buffer.concat(data));
    const stride = width * 3;
    const pixels = Buffer.alloc(stride * height);
    let previous = Buffer.alloc(stride);
    for (let y = 0; y < height; ++y) {
        const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        unfilter(raw[y * (stride + 1)], row, previous, 3);
        row.copy(pixels, y * stride);
        previous = row;
    }
    return { width, height, pixels };
}
