# A hostile HTTP server on 127.0.0.1 for the remote template tests under
# Wine, one thread per connection. Arguments: a folder. It writes its port to
# <folder>/port.txt and serves
#   GET /silent.kvx   accepts and never answers
#   GET /drip.kvx     a reply of status 200, one byte every 2 seconds
#   GET /loop.kvx     302 to itself, counting the requests
#   GET /huge.kvx     status 200 without a length, then 80 MiB
#   GET /count        the number of /loop.kvx requests so far
#   GET /quit         ends the server (and every connection it holds)
# and ends by itself after five minutes.
import os
import socket
import sys
import threading
import time

folder = sys.argv[1]
server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(('127.0.0.1', 0))
server.listen(16)
server.settimeout(1)
with open(os.path.join(folder, 'port.tmp'), 'w') as f:
    f.write(str(server.getsockname()[1]))
os.replace(os.path.join(folder, 'port.tmp'), os.path.join(folder, 'port.txt'))

quit_event = threading.Event()
loops = 0
lock = threading.Lock()


def serve(conn):
    global loops
    try:
        conn.settimeout(5)
        data = b''
        while b'\r\n\r\n' not in data:
            chunk = conn.recv(65536)
            if not chunk:
                return
            data += chunk
        parts = data.split(b'\r\n')[0].split(b' ')
        path = parts[1].decode('latin-1') if len(parts) > 1 else '/'
        if path == '/quit':
            conn.sendall(b'HTTP/1.0 200 OK\r\nContent-Length: 3\r\nConnection: close\r\n\r\nbye')
            quit_event.set()
        elif path == '/count':
            with lock:
                body = str(loops).encode()
            conn.sendall(b'HTTP/1.0 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n' % len(body) + body)
        elif path == '/silent.kvx':
            quit_event.wait(300)
        elif path == '/drip.kvx':
            reply = b'HTTP/1.0 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n' + b'x' * 1000
            for i in range(len(reply)):
                conn.sendall(reply[i:i + 1])
                if quit_event.wait(2):
                    break
        elif path == '/loop.kvx':
            with lock:
                loops += 1
            conn.sendall(b'HTTP/1.1 302 Found\r\nLocation: /loop.kvx\r\nContent-Length: 0\r\n\r\n')
        elif path == '/huge.kvx':
            conn.sendall(b'HTTP/1.0 200 OK\r\nConnection: close\r\n\r\n')
            block = b'k' * (1024 * 1024)
            for _ in range(80):
                if quit_event.is_set():
                    break
                conn.sendall(block)
        else:
            conn.sendall(b'HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n')
    except OSError:
        pass
    finally:
        conn.close()


started = time.time()
while not quit_event.is_set() and time.time() - started < 300:
    try:
        conn, _ = server.accept()
    except socket.timeout:
        continue
    threading.Thread(target=serve, args=(conn,), daemon=True).start()
server.close()
