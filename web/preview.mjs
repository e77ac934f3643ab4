// The section drawn true to scale (one scale for x and y) on a canvas, with
// zoom about the pointer (wheel, buttons) and panning by dragging.
export class Preview {
  #canvas;
  #points = { x: new Float32Array(0), y: new Float32Array(0) };
  #showPoints = true;
  #zoom = 1;
  #pan = { x: 0, y: 0 };  // in canvas pixels
  #drag = null;

  constructor(canvas) {
    this.#canvas = canvas;
    canvas.addEventListener('wheel', (event) => {
      event.preventDefault();
      this.zoomAt(event.deltaY < 0 ? 1.25 : 0.8, event.offsetX, event.offsetY);
    }, { passive: false });
    canvas.addEventListener('pointerdown', (event) => {
      this.#drag = { x: event.clientX, y: event.clientY };
      canvas.setPointerCapture(event.pointerId);
    });
    canvas.addEventListener('pointermove', (event) => {
      if (!this.#drag) return;
      this.#pan.x += event.clientX - this.#drag.x;
      this.#pan.y += event.clientY - this.#drag.y;
      this.#drag = { x: event.clientX, y: event.clientY };
      this.draw();
    });
    const stop = () => { this.#drag = null; };
    canvas.addEventListener('pointerup', stop);
    canvas.addEventListener('pointercancel', stop);
    new ResizeObserver(() => this.draw()).observe(canvas);
  }

  show(x, y) {
    this.#points = { x, y };
    this.draw();
  }

  set showPoints(on) {
    this.#showPoints = on;
    this.draw();
  }

  // Zooms by factor about a point of the canvas (its middle by default).
  zoomAt(factor, cx = this.#canvas.clientWidth / 2, cy = this.#canvas.clientHeight / 2) {
    const zoom = Math.min(Math.max(this.#zoom * factor, 0.2), 500);
    const applied = zoom / this.#zoom;
    const middle = { x: this.#canvas.clientWidth / 2, y: this.#canvas.clientHeight / 2 };
    this.#pan.x = cx - middle.x - (cx - middle.x - this.#pan.x) * applied;
    this.#pan.y = cy - middle.y - (cy - middle.y - this.#pan.y) * applied;
    this.#zoom = zoom;
    this.draw();
  }

  reset() {
    this.#zoom = 1;
    this.#pan = { x: 0, y: 0 };
    this.draw();
  }

  draw() {
    const canvas = this.#canvas;
    const ratio = window.devicePixelRatio || 1;
    const width = canvas.clientWidth;
    const height = canvas.clientHeight;
    if (width === 0 || height === 0) return;
    if (canvas.width !== Math.round(width * ratio) || canvas.height !== Math.round(height * ratio)) {
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
    }
    const g = canvas.getContext('2d');
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.clearRect(0, 0, width, height);
    const { x, y } = this.#points;
    const n = Math.min(x.length, y.length);
    if (n < 2) return;

    let xmin = Infinity, xmax = -Infinity, ymin = Infinity, ymax = -Infinity;
    for (let i = 0; i < n; ++i) {
      xmin = Math.min(xmin, x[i]); xmax = Math.max(xmax, x[i]);
      ymin = Math.min(ymin, y[i]); ymax = Math.max(ymax, y[i]);
    }
    const margin = 16;
    const spanX = Math.max(xmax - xmin, 1e-30);
    const spanY = Math.max(ymax - ymin, 1e-30);
    const scale = Math.min((width - 2 * margin) / spanX, (height - 2 * margin) / spanY) * this.#zoom;
    const ox = width / 2 + this.#pan.x - scale * (xmin + xmax) / 2;
    const oy = height / 2 + this.#pan.y + scale * (ymin + ymax) / 2;
    const px = (v) => ox + scale * v;
    const py = (v) => oy - scale * v;

    // The chord line from the nose to the middle of the trailing edge.
    let nose = 0;
    for (let i = 1; i < n; ++i) if (x[i] < x[nose]) nose = i;
    g.strokeStyle = '#9ab';
    g.setLineDash([4, 4]);
    g.lineWidth = 1;
    g.beginPath();
    g.moveTo(px(x[nose]), py(y[nose]));
    g.lineTo(px((x[0] + x[n - 1]) / 2), py((y[0] + y[n - 1]) / 2));
    g.stroke();
    g.setLineDash([]);

    g.strokeStyle = '#1a3d8f';
    g.lineWidth = 1.5;
    g.beginPath();
    g.moveTo(px(x[0]), py(y[0]));
    for (let i = 1; i < n; ++i) g.lineTo(px(x[i]), py(y[i]));
    g.stroke();

    if (this.#showPoints) {
      g.fillStyle = '#c0392b';
      const r = n > 400 ? 1.5 : 2.2;
      for (let i = 0; i < n; ++i) {
        g.beginPath();
        g.arc(px(x[i]), py(y[i]), r, 0, 2 * Math.PI);
        g.fill();
      }
      // The first point, where the section starts at the trailing edge.
      g.strokeStyle = '#c0392b';
      g.beginPath();
      g.arc(px(x[0]), py(y[0]), 5, 0, 2 * Math.PI);
      g.stroke();
    }
  }
}
