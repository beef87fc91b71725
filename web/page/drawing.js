// Drawing the image the converter packed: a BMP as it writes them (a
// palette after a 40-byte header, rows bottom-up; 1 bit a pixel, a set bit
// white, 4 or 8 bits of levels or a palette's values, or 24 bits of
// colour), crisp at whole-number zoom, with a pixel grid from 8x.

function pixelsOfBmp(bmp) {
  const view = new DataView(bmp.buffer, bmp.byteOffset, bmp.byteLength);
  const width = view.getInt32(18, true), height = view.getInt32(22, true), offset = view.getUint32(10, true);
  const bits = view.getUint16(28, true);
  const stride = Math.floor((width * bits + 31) / 32) * 4;
  const pixels = new ImageData(Math.max(width, 1), Math.max(height, 1));
  for (let y = 0; y < height; ++y) {
    const row = offset + (height - 1 - y) * stride;
    for (let x = 0; x < width; ++x) {
      const at = (y * width + x) * 4;
      // B, G, R: the pixel's own, or its palette entry's.
      let from = row + x * 3;
      if (bits <= 8) {
        const bit = x * bits;
        from = 54 + ((bmp[row + (bit >> 3)] >> (8 - bits - (bit & 7))) & ((1 << bits) - 1)) * 4;
      }
      pixels.data[at] = bmp[from + 2];
      pixels.data[at + 1] = bmp[from + 1];
      pixels.data[at + 2] = bmp[from];
      pixels.data[at + 3] = 255;
    }
  }
  return {width, height, pixels};
}

// The largest of the zooms that keeps the image within 640 x 480, and
// within `room` pixels across (a phone's narrow window).
function fittingZoom(width, height, room = 640) {
  let zoom = 1;
  for (const z of [1, 2, 3, 4, 6, 8, 12, 16]) if (width * z <= Math.min(640, room) && height * z <= 480) zoom = z;
  return zoom;
}

function drawImage(canvas, grid, image, zoom) {
  const {width, height, pixels} = image;
  const plain = document.createElement('canvas');
  plain.width = pixels.width;
  plain.height = pixels.height;
  plain.getContext('2d').putImageData(pixels, 0, 0);
  canvas.width = grid.width = width * zoom;
  canvas.height = grid.height = height * zoom;
  const context = canvas.getContext('2d');
  context.imageSmoothingEnabled = false;
  context.drawImage(plain, 0, 0, width * zoom, height * zoom);
  const lines = grid.getContext('2d');
  lines.clearRect(0, 0, grid.width, grid.height);
  if (zoom < 8) return;
  lines.strokeStyle = 'rgba(128, 128, 128, 0.5)';
  lines.lineWidth = 1;
  lines.beginPath();
  for (let x = 0; x <= width; ++x) lines.moveTo(x * zoom + 0.5, 0), lines.lineTo(x * zoom + 0.5, grid.height);
  for (let y = 0; y <= height; ++y) lines.moveTo(0, y * zoom + 0.5), lines.lineTo(grid.width, y * zoom + 0.5);
  lines.stroke();
}
