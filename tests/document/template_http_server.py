# A raw-socket HTTP server on 127.0.0.1 for the remote template tests under
# Wine. Arguments: a folder. It writes its port to <folder>/port.txt, serves
#   GET  /t/<name>      the file <folder>/<name> (status 200, its length)
#   GET  /404.kvx       status 404
#   GET  /cut.kvx       declares 1000 bytes, sends 100 and closes
#   GET  /nostatus.kvx  bytes without a status line
#   GET  /noise.kvx     3 MB of noise with status 200
#   POST /up...         records the request to <folder>/upload<n>.bin; status
#                       500 when the path starts with /up500, else 200
#   GET  /quit          ends the server
# and ends by itself after two minutes without a request.
import os
import socket
import sys

folder = sys.argv[1]
server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(('127.0.0.1', 0))
server.listen(8)
server.settimeout(120)
with open(os.path.join(folder, 'port.tmp'), 'w') as f:
    f.write(str(server.getsockname()[1]))
os.replace(os.path.join(folder, 'port.tmp'), os.path.join(folder, 'port.txt'))


def read_request(conn):
    data = b''
    while b'\r\n\r\n' not in data:
        chunk = conn.recv(65536)
        if not chunk:
            return data, b''
        data += chunk
    head, body = data.split(b'\r\n\r\n', 1)
    length = 0
    for line in head.split(b'\r\n')[1:]:
        name, _, value = line.partition(b':')
        if name.strip().lower() == b'content-length':
            length = int(value.strip())
    while len(body) < length:
        chunk = conn.recv(65536)
        if not chunk:
            break
        body += chunk
    return head, body


def reply(conn, status, body, declared=None):
    reason = {200: b'OK', 404: b'Not Found', 500: b'Server Error'}.get(status, b'X')
    length = len(body) if declared is None else declared
    conn.sendall(b'HTTP/1.0 %d %s\r\nContent-Length: %d\r\nConnection: close\r\n\r\n' % (status, reason, length) + body)


uploads = 0
running = True
while running:
    try:
        conn, _ = server.accept()
    except socket.timeout:
        break
    with conn:
        head, body = read_request(conn)
        if not head:
            continue
        line = head.split(b'\r\n')[0].decode('latin-1')
        parts = line.split(' ')
        verb, path = parts[0], parts[1] if len(parts) > 1 else '/'
        if path == '/quit':
            reply(conn, 200, b'bye')
            running = False
        elif verb == 'POST':
            uploads += 1
            with open(os.path.join(folder, 'upload%d.bin' % uploads), 'wb') as f:
                f.write(head + b'\r\n\r\n' + body)
            reply(conn, 500 if path.startswith('/up500') else 200, b'')
        elif path.startswith('/t/'):
            name = os.path.join(folder, os.path.basename(path[3:]))
            if os.path.exists(name):
                with open(name, 'rb') as f:
                    reply(conn, 200, f.read())
            else:
                reply(conn, 404, b'')
        elif path == '/404.kvx':
            reply(conn, 404, b'missing')
        elif path == '/cut.kvx':
            reply(conn, 200, b'x' * 100, declared=1000)
        elif path == '/nostatus.kvx':
            conn.sendall(b'this is no http reply at all' * 10)
        elif path == '/noise.kvx':
            reply(conn, 200, os.urandom(3 * 1024 * 1024))
        else:
            reply(conn, 404, b'')
server.close()
