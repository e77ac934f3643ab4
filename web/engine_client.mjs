// The page's side of the engine's worker: each job a promise. The page in
// one file (offline.html) carries the worker's source inline as a classic
// script, as a page opened from disk may start neither a worker from another
// file nor a module worker.
function startWorker() {
  if (window.tarvexWorker) return window.tarvexWorker;
  const inline = document.getElementById('tarvex-worker-source');
  if (inline) {
    const blob = new Blob([inline.textContent], { type: 'text/javascript' });
    return new Worker(URL.createObjectURL(blob));
  }
  return new Worker(new URL('./worker.mjs', import.meta.url), { type: 'module' });
}

export class EngineClient {
  #worker = startWorker();
  #pending = new Map();
  #next = 1;

  constructor() {
    this.#worker.onmessage = ({ data: { id, result, error } }) => {
      const call = this.#pending.get(id);
      this.#pending.delete(id);
      if (error) {
        const failure = new Error(error.message);
        failure.reason = error.reason;
        call.reject(failure);
      } else {
        call.resolve(result);
      }
    };
    this.#worker.onerror = (event) => {
      event.preventDefault();
      const failure = new Error(event.message || 'the worker failed');
      failure.reason = 'internal';
      for (const call of this.#pending.values()) call.reject(failure);
      this.#pending.clear();
    };
  }

  call(job, args = {}) {
    const id = this.#next++;
    return new Promise((resolve, reject) => {
      this.#pending.set(id, { resolve, reject });
      this.#worker.postMessage({ id, job, args });
    });
  }
}
